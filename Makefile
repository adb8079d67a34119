# Two commands for a new user on Debian 12:
#   make run    installs what is missing, builds, creates words.mdb, starts Penrook
#   make test   the same set-up, then every test headless
BUILD ?= build
JOBS ?= $(shell nproc)

# Debian packages the build and the tests need.
PACKAGES := cmake g++ make pkg-config \
            qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev qt6-qpa-plugins libqt6opengl6-dev libgl-dev \
            libsqlite3-dev sqlite3 mythes-en-us wordnet-base scowl fonts-liberation2 \
            xvfb x11-utils xdotool openbox

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test deps build clean

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/Penrook

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD)
