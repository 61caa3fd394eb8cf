# The two commands of the README:
#   make run    install what is missing, build, start the viewer on a demo card
#   make test   install what is missing, build, run every test
BUILD      ?= build
ASAN_BUILD ?= build-asan
GENERATOR  := -G Ninja

.PHONY: all deps configure build run test test-asan bench skin-sheet clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@scripts/run-viewer.sh $(BUILD)

# The unit tests once more, built with AddressSanitizer and UBSan.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug \
	  -DZV_UNIT_ONLY=ON -DZV_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && ctest -L unit --output-on-failure -j2

test: build test-asan
	cd $(BUILD) && ctest --output-on-failure -j2

bench: build
	@cmake --build $(BUILD) --target benchmarks
	@scripts/run-benchmarks.sh $(BUILD)

# One review sheet of every skin picture with its id: build/skin-sheet.png.
skin-sheet: configure
	@cmake --build $(BUILD) --target skin-sheet

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
