# shellcheck shell=bash
# Sourced by scripts/deps and tools/make_voice: extra apt sources that reuse
# the archive address the machine already uses for its own release, so any
# mirror works and none is named in the repository.

# Prints the archive URIs of the apt sources whose suites hold this
# machine's release, deb822 files first, then one-line lists.
archive_uri() {
  local rel f
  rel=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -r "$f" ] || continue
    # deb822 stanzas: the URIs of the one whose Suites hold the release.
    awk -v rel="$rel" '
      /^[[:space:]]*$/ { if (ok && uri != "") { print uri; done = 1; exit } ok = 0; uri = ""; next }
      /^URIs:/ { uri = $2 }
      /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == rel) ok = 1 }
      END { if (!done && ok && uri != "") print uri }' "$f"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -r "$f" ] || continue
    awk -v rel="$rel" '$1 == "deb" && $0 !~ /\[/ && $3 == rel { print $2 }
      $1 == "deb" && $2 ~ /^\[/ { for (i = 3; i <= NF; i++) if ($i ~ /\]$/) { if ($(i + 2) == rel) print $(i + 1); break } }' "$f"
  done
}

# Writes /etc/apt/sources.list.d/NAME.sources for SUITE and COMPONENTS on the
# machine's own archive address; fails when no source names the release.
apt_add_source() {
  local name=$1 suite=$2 components=$3 uri sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  uri=$(archive_uri | head -n 1)
  [ -n "$uri" ] || { echo "no apt source for this release to take the archive address from" >&2; return 1; }
  printf 'Types: deb\nURIs: %s\nSuites: %s\nComponents: %s\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" "$suite" "$components" | $sudo tee /etc/apt/sources.list.d/"$name".sources >/dev/null
}
