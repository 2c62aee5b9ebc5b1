# SPDX-FileCopyrightText: 2026 The Quorvel authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The two commands of the README: `make run` and `make test`. Both install
# what is missing, then build in build/ (Release) and reuse what is built.
# `make install` puts the programs in place (PREFIX, default /usr/local;
# DESTDIR stages them elsewhere), `make uninstall` takes the same files away
# and `make package` builds the Debian package. `make bench` builds and runs
# the engine's benchmark.
BUILD_DIR ?= build
JOBS ?= 2
PREFIX ?=
DESTDIR ?=
PREFIX_OPTION = $(if $(PREFIX),--prefix "$(PREFIX)")

.PHONY: run test bench build configure setup clean install uninstall package

run: build
	./$(BUILD_DIR)/app/quorvel

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target quorvel_bench
	./$(BUILD_DIR)/bench/quorvel_bench $(BENCH_ARGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) $(PREFIX_OPTION)

# Removes what `make install` with the same PREFIX and DESTDIR put in place,
# found by installing into a scratch folder: install_manifest.txt cannot be
# trusted for it, since packaging overwrites it with the package's files.
uninstall:
	@scratch=$$(mktemp -d) && trap 'rm -rf "$$scratch"' EXIT && \
	DESTDIR="$$scratch" cmake --install $(BUILD_DIR) $(PREFIX_OPTION) >/dev/null && \
	cd "$$scratch" && find . ! -type d | sed 's|^\.||' | while read -r file; do \
	  if [ -e "$(DESTDIR)$$file" ] || [ -L "$(DESTDIR)$$file" ]; then rm -v "$(DESTDIR)$$file"; fi; \
	done

package: build
	cmake --build $(BUILD_DIR) --target package

configure: setup
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

setup:
	bash scripts/install-deps.sh

clean:
	rm -rf $(BUILD_DIR)
