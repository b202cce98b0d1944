# The everyday commands: `make run` starts the window, `make test` runs every suite.
BUILD ?= build
JOBS  ?= 2

.PHONY: deps build run test bench clean

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

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD)
