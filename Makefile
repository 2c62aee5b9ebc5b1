# The two commands of the README: `make run` and `make test`. Both install
# what is missing, then build in build/ (Release) and reuse what is built.
BUILD_DIR ?= build
JOBS ?= 2

.PHONY: run test build setup clean

run: build
	./$(BUILD_DIR)/app/quorvel

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

build: setup
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j $(JOBS)

setup:
	bash scripts/install-deps.sh

clean:
	rm -rf $(BUILD_DIR)
