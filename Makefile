# The everyday commands: `make run` starts the window, `make test` runs every suite.
BUILD ?= build
JOBS  ?= 2

.PHONY: deps build run test bench package check-sanitize clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display found: starting Velmora on a virtual screen (xvfb-run)."; \
	  xvfb-run -a -s "-screen 0 1024x768x24" $(BUILD)/app/velmora; \
	else \
	  $(BUILD)/app/velmora; \
	fi

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# A Debian package in build/: velmora_<version>_amd64.deb.
package: build
	@cd $(BUILD) && cpack -G DEB

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# Every suite under AddressSanitizer + UndefinedBehaviorSanitizer, and a random user of 20,000
# events on the real windows; then the Qt-free suites (with the two-thread stress test) under
# ThreadSanitizer; then the data file reader under libFuzzer for 60 s. Any report fails.
check-sanitize: deps
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCHMARKS=OFF \
	  -DVELMORA_SANITIZE=address,undefined >/dev/null
	@cmake --build build-asan -j$(JOBS)
	@cd build-asan && QT_QPA_PLATFORM=offscreen \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j$(JOBS)
	@QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
	  build-asan/tests/app/velmora_monkey --events 20000 --seed 1
	@cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCHMARKS=OFF \
	  -DVELMORA_WINDOWS=OFF -DVELMORA_SANITIZE=thread >/dev/null
	@cmake --build build-tsan -j$(JOBS)
	@cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j$(JOBS)
	@bash scripts/fuzz-data-files.sh build-fuzz $(JOBS)

clean:
	rm -rf $(BUILD) build-asan build-tsan build-fuzz
