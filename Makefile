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

.PHONY: all deps windows-deps configure build asan run test test-core test-asan test-windows test-deb bench fuzz \
        install uninstall deb clean translations mutate

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

# Every plausible mistake of tools/mutations.txt put into a scratch copy of the tree
# (build-mutate/), rebuilt and tested, then taken out; the report lists what no test caught.
# Takes minutes, so it is not part of `make test`.
mutate: deps
	./tools/mutate.py

bench: build
	./bench/run_bench.sh $(BUILD)

# The differential test of preview, run and undo on random cases for MINUTES minutes, from a
# random seed or SEED=N; a failure prints its case and the variable that replays it.
MINUTES ?= 10
fuzz: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target core_tests
	VELMORA_DIFF_SECONDS=$$(( $(MINUTES) * 60 )) VELMORA_DIFF_SEED=$(SEED) \
	    $(BUILD)/tests/core_tests --gtest_filter='Differential.*'

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
.PHONY: all deps windows-deps configure build asan run test test-core test-asan test-windows test-deb bench fuzz \
        install uninstall deb clean translations mutate
