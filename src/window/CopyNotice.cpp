// The copy's notice: a tooltip-like label laid over the bottom of the result list.
#include "window/CopyNotice.h"

#include <QAbstractScrollArea>
#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QToolTip>

namespace mirabo {

namespace {
constexpr int kMargin = 4;  // pixels between the note and the list's edges
}  // namespace

CopyNotice::CopyNotice(QAbstractScrollArea* list)
    : QLabel(list), viewport_(list->viewport()), opacity_(new QGraphicsOpacityEffect(this)),
      fade_(new QPropertyAnimation(opacity_, "opacity", this)) {
  setObjectName(QStringLiteral("CopyNotice"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setPalette(QToolTip::palette());
  setFont(QToolTip::font());  // not the list's larger one
  setAutoFillBackground(true);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setMargin(2);
  setGraphicsEffect(opacity_);
  fade_->setDuration(kFadeMs);
  fade_->setStartValue(1.0);
  fade_->setEndValue(0.0);
  connect(fade_, &QPropertyAnimation::finished, this, &QWidget::hide);
  shown_.setSingleShot(true);
  connect(&shown_, &QTimer::timeout, fade_, [this] { fade_->start(); });
  hide();
}

void CopyNotice::ShowCopied(const QString& text) {
  QString shown = QStringLiteral("コピーしました: ") + text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  // On the list's frame, not in its viewport, whose scrolling would carry it along.
  const QRect lines = viewport_->geometry();
  const int room = qMax(0, lines.width() - 2 * kMargin - 2 * (margin() + frameWidth()));
  setText(fontMetrics().elidedText(shown, Qt::ElideRight, room));
  adjustSize();
  move(lines.left() + kMargin, qMax(lines.top(), lines.bottom() - height() - kMargin));
  fade_->stop();
  opacity_->setOpacity(1.0);
  show();
  raise();
  shown_.start(kShownMs);
}

}  // namespace mirabo
