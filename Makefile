# Set-up, build and test on a fresh Debian machine.
#   make run   installs what is missing, builds, starts the map generator
#   make test  installs what is missing, builds, runs every test (also under
#              AddressSanitizer and UBSan, and each fuzz target for 10 seconds)
#   make fuzz  installs what is missing, builds the fuzz targets with clang in
#              build-fuzz and runs each for FUZZ_SECONDS (scripts/fuzz.sh)

BUILD_DIR ?= build
# The Qt-free core and its tests again, with AddressSanitizer and UBSan.
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev \
            libbenchmark-dev libpng-dev qt6-base-dev libgl-dev \
            clang libclang-rt-14-dev clang-format
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test fuzz clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@./scripts/run.sh $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DGLENMIRE_GUI=OFF -DGLENMIRE_BENCH=OFF -DGLENMIRE_SANITIZE=ON > /dev/null
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)
	@# Each fuzz target for 10 seconds on its seed corpus, from a fresh working copy.
	rm -rf $(FUZZ_DIR)/fuzz-work
	JOBS=$(JOBS) ./scripts/fuzz.sh $(FUZZ_DIR) 10

fuzz: deps
	JOBS=$(JOBS) ./scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
