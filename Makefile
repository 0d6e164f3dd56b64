# SPDX-License-Identifier: GPL-3.0-or-later
# Velmora: `make run` builds and starts the desktop program, `make test` builds and runs every test.
# Both install the Debian packages that a fresh machine lacks first; `make install` does not.

BUILD      ?= build
ASAN_BUILD ?= build-asan
WIN_BUILD  ?= build-win
# `make install` builds here: the programs and their data only (no tests, no benchmarks).
INSTALL_BUILD ?= build-install
# `make deb` builds the Debian packages here.
DEB_BUILD  ?= build-deb
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local
CMAKE_GEN  := -G Ninja

.PHONY: all deps windows-deps configure build asan run test test-core test-asan test-windows test-deb bench install \
        uninstall deb clean translations

all: build

deps:
	@./tools/install-deps.sh

# The Windows leg's own packages (mingw-w64, wine), installed only for it.
windows-deps:
	@./tools/install-deps.sh --windows

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DVELMORA_WERROR=ON

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON \
	      -DVELMORA_BUILD_UI=OFF -DVELMORA_BUILD_BENCH=OFF -DVELMORA_WERROR=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	./tools/run-desktop.sh $(BUILD)

test-core: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: asan
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# The core, its tests and velmora-cli cross-built for Windows and tested under wine.
test-windows: deps windows-deps
	./tools/test-windows.sh $(WIN_BUILD) $(JOBS)

# The Debian packages built once from the tree (`make deb`), installed, run and purged.
test-deb: deb
	./tools/test-deb.sh $(DEB_BUILD)

test: test-core test-asan test-windows test-deb

# The binary packages velmora and velmora-cli in $(DEB_BUILD), checked with lintian.
deb: deps
	./tools/build-deb.sh $(DEB_BUILD) $(JOBS)

bench: build
	./bench/run_bench.sh $(BUILD)

# The texts of the sources into translations/*.ts, with what is translated already filled in
# (translate the rest in Qt Linguist: /usr/lib/qt6/bin/linguist translations/velmora_de.ts).
translations: deps
	./tools/update-translations.sh

# make install [PREFIX=/usr/local] [DESTDIR=staging]; make uninstall removes what it installed.
# Builds only what it installs, and installs no build dependencies (`make deps` does).
$(INSTALL_BUILD)/build.ninja:
	cmake -S . -B $(INSTALL_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF \
	      -DVELMORA_BUILD_BENCH=OFF

install: $(INSTALL_BUILD)/build.ninja
	cmake --build $(INSTALL_BUILD) -j $(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install $(INSTALL_BUILD) --prefix $(PREFIX)

uninstall:
	DESTDIR="$(DESTDIR)" ./tools/uninstall.sh $(INSTALL_BUILD)/install_manifest.txt

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WIN_BUILD) $(INSTALL_BUILD) $(DEB_BUILD)
