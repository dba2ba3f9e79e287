# make run:   install what is missing, build the two programs, put the sample data next to
#             the program, start the window.
# make test:  install what is missing, build everything, run every test (and the core tests
#             under sanitizers).
# make bench: the same build with the benchmarks, then run them.
# make package: the Debian package build/mirabo_<version>_amd64.deb (then: sudo apt install ./build/mirabo_*.deb).
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
# CI sets WERROR=ON: a new warning then fails the build.
WERROR ?= OFF
PROGRAM_DIR = $(BUILD)

.PHONY: all deps deps-test configure build run test build-asan test-asan bench package clean

all: build

deps:
	@scripts/install-deps

deps-test:
	@scripts/install-deps --test

# The benchmark switch is left as the build folder has it: off unless `make bench` turned it on.
# TESTS=OFF leaves the test programs out of the build (make run and make package).
TESTS ?= ON
configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRABO_WERROR=$(WERROR) -DMIRABO_TESTS=$(TESTS)

build: deps-test configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the window program and mirabo-cli: a new user's first window needs no tests.
run: TESTS = OFF
run: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target mirabo mirabo-cli
	@scripts/first-run-data $(PROGRAM_DIR)
	$(PROGRAM_DIR)/mirabo

# The sanitizer build's tests run beside the others, whose end-to-end tests spend most
# of their time waiting on windows; their output follows when both are done.
ASAN_LOG = $(CURDIR)/$(ASAN_BUILD)/ctest-output.log
test: build build-asan
	@(cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) >$(ASAN_LOG) 2>&1) & asan=$$!; \
	(cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)); status=$$?; \
	wait $$asan; asan_status=$$?; \
	echo "---- The sanitizer build's tests ($(ASAN_BUILD))"; cat $(ASAN_LOG); \
	[ $$status -eq 0 ] && [ $$asan_status -eq 0 ]

# The UI-free core and its tests, built with AddressSanitizer and UBSan.
build-asan: deps-test
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DMIRABO_CORE_ONLY=ON -DMIRABO_SANITIZE=ON -DMIRABO_BENCH=OFF -DMIRABO_WERROR=$(WERROR)
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench:
	@scripts/install-deps --bench
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRABO_BENCH=ON -DMIRABO_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)
	scripts/run-benchmarks $(BUILD)

# The Debian package mirabo_<version>_amd64.deb, in $(BUILD).
package: TESTS = OFF
package: deps configure
	@scripts/install-deps --package
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
