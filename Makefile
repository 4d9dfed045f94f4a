# Set-up and everyday commands. `make run` and `make test` first install the
# Debian packages the build needs (when some are missing), then configure and
# build into build/. Xvfb, openbox, xdotool and the X utilities run the test
# of the game under a window manager; D-Bus and AT-SPI (with its Python
# binding) the test of what a screen reader is told.
# Qt Charts draws the statistics window's chart; its CMake files look for
# Qt's OpenGL ones, which Debian's qt6-charts-dev does not bring along, so
# libqt6opengl6-dev is named as well.
BUILD ?= build
# The tools that build, test and package read file names and texts as UTF-8
# only under a UTF-8 locale (without one, CPack's archiver cannot find
# Ico/aÁ.bmp). A caller with none, as in minimal containers where LANG is
# unset, gets C.UTF-8, which every Debian 12 has, for everything run here.
ifneq ($(shell locale charmap 2>/dev/null),UTF-8)
export LC_ALL := C.UTF-8
endif
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := g++ cmake make pkg-config qt6-base-dev libgl-dev libpng-dev zlib1g-dev libfontconfig-dev libxcb1-dev \
            qt6-charts-dev libqt6opengl6-dev libgtest-dev libgmock-dev googletest libbenchmark-dev xz-utils \
            desktop-file-utils appstream dpkg-dev file qt6-translations-l10n \
            xvfb openbox xdotool x11-utils \
            dbus-daemon dbus-bin at-spi2-core python3-pyatspi

.PHONY: all deps configure build run test test-asan bench fuzz package clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then sudo=""; \
	  elif command -v sudo >/dev/null 2>&1; then sudo="sudo"; \
	  else echo "Some packages are missing. Please run as root:"; \
	       echo "  apt-get update && apt-get install -y$$missing"; exit 1; fi; \
	  echo "Installing:$$missing"; \
	  $$sudo apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -q --no-install-recommends$$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/vorpanta

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer (the
# install-tree and .deb checks, which only run tools on the built tree, are
# left to `make test`).
test-asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVORPANTA_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -LE packaging

# Speed and memory against their baselines (takes a few minutes).
bench: deps
	bash bench/run.sh

# Each fuzz target for FUZZ_SECONDS (default 60) seconds.
fuzz: deps
	bash fuzz/run.sh

# A .deb package in build/.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) build-asan build-bench build-fuzz
