# make run:  install what is missing, build, put the sample data next to the program, start the window.
# make test: install what is missing, build, run every test (and the core tests under sanitizers).
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
PROGRAM_DIR = $(BUILD)

.PHONY: all deps build run test test-core test-asan bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/first-run-data $(PROGRAM_DIR)
	$(PROGRAM_DIR)/mirabo

test: build test-asan
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The UI-free core and its tests, built with AddressSanitizer and UBSan.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DMIRABO_CORE_ONLY=ON -DMIRABO_SANITIZE=ON -DMIRABO_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	scripts/run-benchmarks $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
