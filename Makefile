# The two commands of the README: `make run` and `make test`.
JOBS ?= $(shell nproc)
BAR_RELEASE := build/release/src/app/veskor

.PHONY: run build test bench fuzz clean

run: build
	@if [ -n "$$DISPLAY" ]; then \
	  exec $(BAR_RELEASE) $(ARGS); \
	else \
	  echo "No display (DISPLAY is not set): writing a screenshot of the bar to build/veskor-bar.png instead."; \
	  $(BAR_RELEASE) --screenshot build/veskor-bar.png && echo "Wrote build/veskor-bar.png"; \
	fi

build:
	scripts/install-deps.sh build
	cmake --preset release
	cmake --build --preset release -j$(JOBS)

test:
	scripts/install-deps.sh test
	cmake --preset dev
	cmake --build --preset dev -j$(JOBS)
	ctest --preset dev --parallel $(JOBS)

bench: build
	scripts/install-deps.sh bench
	bench/run.sh $(BAR_RELEASE)

fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz -j$(JOBS)

clean:
	rm -rf build
