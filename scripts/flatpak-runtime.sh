# Sourced: a Flatpak runtime and SDK made from a Debian 13 root, for building and running
# the manifest where Flathub cannot be reached. The root is made once and exported to a
# repository kept in build/flatpak; the user installation that flatpak uses lies there too.
# Needs root.
source "$(dirname "${BASH_SOURCE[0]}")/debian-root.sh"

flatpakBuild=$PWD/build/flatpak
export FLATPAK_USER_DIR=$flatpakBuild/installation
# The app's id, as the manifest names it.
flatpakAppId=$(sed -n 's/^id: *//p' "$(dirname "${BASH_SOURCE[0]}")/../packaging/flatpak/app.yml")
debianRuntime=example.garagon.DebianTrixie
debianRuntimeBranch=trixie
# What the manifest builds and runs with: Qt with its X11, Wayland and German texts, the
# tools that check the desktop data, and a font.
debianRuntimePackages=g++,cmake,ninja-build,git,qt6-base-dev,qt6-qpa-plugins,qt6-wayland,qt6-translations-l10n,fonts-dejavu-core,libfontconfig1,appstream,appstream-util,desktop-file-utils

# The runtime in the repository, made anew only when its packages change.
exportDebianRuntime() {
    local repo=$flatpakBuild/repo stamp=$flatpakBuild/runtime-packages
    [ -d "$repo" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$debianRuntimePackages" ] && return
    local folder=$flatpakBuild/runtime root=$flatpakBuild/root
    rm -rf "$folder" "$root" "$repo"
    mkdir -p "$flatpakBuild"
    mmdebstrap --quiet --variant=apt --include="$debianRuntimePackages" trixie "$root" \
        "$(debianMirror)"
    # The sandbox's /etc comes from usr/etc, and its loader cache from usr/bin/ldconfig.
    cp -a "$root/etc" "$root/usr/etc"
    cp "$root/usr/sbin/ldconfig" "$root/usr/bin/"
    # A runtime's own files are its usr/; files/ stays empty.
    mkdir -p "$folder/files"
    mv "$root/usr" "$folder/usr"
    rm -rf "$root"
    printf '[Runtime]\nname=%s\nruntime=%s/x86_64/%s\nsdk=%s/x86_64/%s\n' "$debianRuntime" \
        "$debianRuntime" "$debianRuntimeBranch" "$debianRuntime" "$debianRuntimeBranch" \
        >"$folder/metadata"
    flatpak build-export --disable-sandbox --runtime "$repo" "$folder" "$debianRuntimeBranch"
    rm -rf "$folder" "$FLATPAK_USER_DIR"
    echo "$debianRuntimePackages" >"$stamp"
}

# The runtime, also as the SDK, in the user installation under build/flatpak.
installDebianRuntime() {
    exportDebianRuntime
    flatpak --user remote-add --if-not-exists --no-gpg-verify garagon-debian \
        "file://$flatpakBuild/repo"
    flatpak --user list --runtime --columns=ref | grep -qx "$debianRuntime/x86_64/$debianRuntimeBranch" ||
        flatpak --user install -y --noninteractive garagon-debian \
            "$debianRuntime//$debianRuntimeBranch"
}
