# SPDX-License-Identifier: GPL-3.0-or-later
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
TSAN_BUILD ?= build-tsan
FUZZ_SECONDS ?= 30
GENERATOR  := -G Ninja

.PHONY: all deps configure build run install package test test-asan fuzz test-fuzz test-tsan bench skin-sheet clean

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

# The engine and parse filter tests once more, built with ThreadSanitizer
# (clang) in $(TSAN_BUILD); tests/tsan.supp lists the libraries whose own
# locks it cannot see. Left out: the tests that start programs through
# QProcess (the clip export's and the timeline's), as clang 14's clone
# interceptor breaks QProcess's fork in a process under ThreadSanitizer.
# TSAN_ENGINE=0 runs the parse filter tests only (what `make test` runs:
# building the whole window library a third time would not fit its time).
TSAN_ENGINE ?= 1
TSAN_ENV := TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp halt_on_error=1 second_deadlock_stack=1"
TSAN_LEFT_OUT := ClipExportTest.*:TimelineTest.*
TSAN_TARGETS := zv-playback-tests $(if $(filter 1,$(TSAN_ENGINE)),zv-engine-tests)
test-tsan: build
	@CC=clang CXX=clang++ cmake -S . -B $(TSAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZV_TSAN=ON >/dev/null
	@$(TSAN_ENV) cmake --build $(TSAN_BUILD) -j2 --target $(TSAN_TARGETS)
	cd $(TSAN_BUILD)/tests && $(TSAN_ENV) ./zv-playback-tests
ifeq ($(TSAN_ENGINE),1)
	@bash tests/fixtures/make-recordings.sh $(BUILD)/bin/zv-mkrec $(TSAN_BUILD)/tests/fixtures >/dev/null
	cd $(TSAN_BUILD)/tests && $(TSAN_ENV) QT_QPA_PLATFORM=offscreen ./zv-engine-tests \
	  --gtest_filter=-$(TSAN_LEFT_OUT)
endif

# A GLib or GStreamer critical (a misused object, an assertion that failed
# inside a library) aborts the test that caused it instead of scrolling by
# in its log.
test: build test-asan test-fuzz
	@$(MAKE) --no-print-directory test-tsan TSAN_ENGINE=0
	cd $(BUILD) && G_DEBUG=fatal-criticals ctest --output-on-failure -j2

bench: build
	@cmake --build $(BUILD) --target benchmarks
	@scripts/run-benchmarks.sh $(BUILD)

# One review sheet of every skin picture with its id: build/skin-sheet.png.
skin-sheet: configure
	@cmake --build $(BUILD) --target skin-sheet

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(TSAN_BUILD)
