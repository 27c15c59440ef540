# Shared by the commands in this folder: installs what is missing, configures and builds.
# Usage (sourced): quorin_build <build folder> [extra cmake arguments...]

QUORIN_PACKAGES="qtbase5-dev libqt5serialport5-dev libqt5webkit5-dev libquazip1-qt5-dev
  libqcustomplot-dev qttools5-dev-tools qttools5-dev xvfb xauth libxcb1-dev socat fonts-wqy-microhei
  ninja-build cmake g++ python3 zlib1g-dev"

quorin_install() {
  local missing=()
  for pkg in $QUORIN_PACKAGES; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  # No recommends: they bring a modem manager that probes serial ports.
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

quorin_build() {
  local dir=$1; shift
  quorin_install || return 1
  cmake -S "$QUORIN_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" || return 1
  cmake --build "$dir" -j "$(nproc)"
}
