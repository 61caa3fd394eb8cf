# The two commands of the README:
#   make run    install what is missing, build, start the viewer on a demo card
#   make test   install what is missing, build, run every test
# and, for an installed program:
#   make install [PREFIX=/usr/local] [DESTDIR=<staging folder>]
#   make package  a Debian package of the program: $(BUILD)/zorvane-viewer_<version>_<arch>.deb
BUILD      ?= build
PREFIX     ?= /usr/local
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
GENERATOR  := -G Ninja

.PHONY: all deps configure build run install package test test-asan fuzz test-fuzz bench skin-sheet clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@scripts/run-viewer.sh $(BUILD)

# The build is configured for PREFIX (kept for later builds); DESTDIR, when
# given, stages the install in that folder.
install: deps
	@cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@cmake --build $(BUILD)
	DESTDIR=$(DESTDIR) cmake --install $(BUILD)

# The package installs under /usr, whatever PREFIX the build has.
package: build
	@cmake --build $(BUILD) --target package

# The unit tests once more, built with AddressSanitizer and UBSan.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug \
	  -DZV_UNIT_ONLY=ON -DZV_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && ctest -L unit --output-on-failure -j2

# Every libFuzzer target of tests/fuzz (clang, ASan, UBSan) for FUZZ_SECONDS
# seconds each, seeded with recordings and settings files written now; each
# target's output and final stats go to $(FUZZ_BUILD)/logs/.
fuzz: build
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZV_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j2
	scripts/run-fuzzers.sh $(BUILD) $(FUZZ_BUILD) $(FUZZ_SECONDS)

# What `make test` runs: every target for 20 s.
test-fuzz:
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=20

test: build test-asan test-fuzz
	cd $(BUILD) && ctest --output-on-failure -j2

bench: build
	@cmake --build $(BUILD) --target benchmarks
	@scripts/run-benchmarks.sh $(BUILD)

# One review sheet of every skin picture with its id: build/skin-sheet.png.
skin-sheet: configure
	@cmake --build $(BUILD) --target skin-sheet

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
