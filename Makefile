# The two commands of the README: `make run` and `make test`.
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
TSAN_DIR     ?= build-tsan
# The tests where threads meet: the simulation thread, the player around it, device sharing,
# the sound server's output thread.
TSAN_TESTS   ?= ^(SimulationThread|Player|Pause|MidiDevice|MidiOut|AutoResetEvent|LiveTimebase|LiveSnapshot|SampleClockHandOver|SoundServerSession)
FUZZ_DIR     ?= build-fuzz
JOBS         ?= $(shell nproc)
FUZZ_SECONDS ?= 60
ARGS         ?=
PREFIX       ?= /usr/local
# Where `make deb` leaves the package and `make deb-check` takes it from.
DEB_DIR      ?= build-deb

.PHONY: all deps build run test install sanitize tsan bench fuzz format clean deb deb-check

# CMake's generated makefiles run make within make: without this every target prints
# "Entering directory" and "Leaving directory".
MAKEFLAGS += --no-print-directory

all: build

deps:
	@scripts/install-deps

# Only what needs attention: CMake's progress notes about compilers and packages are left out.
$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo --log-level=NOTICE

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The program alone: the tests and the measurement programs wait for `make test`.
run: deps $(BUILD_DIR)/CMakeCache.txt
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target tinsori
	@scripts/run $(BUILD_DIR)/tinsori $(ARGS)

test: build
	@scripts/test $(BUILD_DIR) $(JOBS)

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DTINSORI_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1 \
	ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINSORI_TSAN=ON -DTINSORI_GUI=OFF
	cmake --build $(TSAN_DIR) -j $(JOBS)
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	ctest --test-dir $(TSAN_DIR) --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

bench: build
	@scripts/bench $(BUILD_DIR)

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINSORI_FUZZ=ON -DTINSORI_GUI=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_favorite_line
	$(FUZZ_DIR)/tests/fuzz_favorite_line -max_total_time=$(FUZZ_SECONDS) -max_len=600 \
	    $(FUZZ_DIR)/fuzz-corpus tests/fuzz/corpus

# The Debian package, built in a clean Debian 12 chroot and checked by lintian; then installed,
# played and purged in another.
deb:
	@scripts/install-deps package
	scripts/deb-build $(DEB_DIR) $(JOBS)

deb-check:
	@scripts/install-deps package
	scripts/deb-check $(DEB_DIR)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR) $(FUZZ_DIR)
