#!/bin/sh
# Regenerates the program's pictures, each in the res folder beside the code that
# shows it: tree.bmp and the tree pictures' icons tree-00.ico to tree-20.ico
# (categories), toolbar.bmp and editor.bmp (shortcuts) and tessaly.ico (app). The
# build never runs this; it uses the committed results.
#
# Sources: the Tango icon theme (public domain, Debian package tango-icon-theme) and a
# few drawings of our own, written below as SVG. Tango's hand-made 16/24/32 pixel PNGs
# are used at their own size, and SVGs are rendered at the exact size they are shown
# at, so nothing is ever scaled up. CREDITS.md beside the pictures says which is which.
#
# The bitmaps are 24-bit BMPs without alpha: image lists mask them with the key colour
# magenta, so the half-transparent surroundings become that key and the rest is laid on
# white.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
res=$root/src/app/win32/res
categories_res=$root/src/categories/win32/res
shortcuts_res=$root/src/shortcuts/win32/res
tango=/usr/share/icons/Tango

missing=
[ -f "$tango/24x24/places/folder.png" ] || missing="$missing tango-icon-theme"
# Some machines put a stand-in named convert first on PATH; only the real one will do.
convert -version 2>/dev/null | grep -q '^Version: ImageMagick' || missing="$missing imagemagick"
command -v rsvg-convert >/dev/null 2>&1 || missing="$missing librsvg2-bin"
if [ -n "$missing" ]; then
  echo "make-pictures.sh: needs the Debian packages:$missing" >&2
  echo "  apt-get install -y --no-install-recommends$missing" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM
cd "$work"

# PNGs written by ImageMagick otherwise carry their creation time, which would make
# tessaly.ico differ on every run.
keep='-strip -define png:exclude-chunks=date,time'

# tango SIZE NAME: path of a Tango PNG at its own size.
tango() {
  f=$tango/$1x$1/$2.png
  [ -f "$f" ] || { echo "make-pictures.sh: Tango has no $1x$1/$2.png" >&2; exit 1; }
  echo "$f"
}

# render NAME SIZE: our drawing NAME.svg at SIZE x SIZE, as NAME-SIZE.png.
render() {
  rsvg-convert -w "$2" -h "$2" -o "$1-$2.png" "$1.svg"
}

# over BASE OVERLAY OUT: lays OVERLAY (same size) over BASE.
over() {
  convert "$1" "$2" -compose over -composite $keep "PNG32:$3"
}

# recolour IN OUT DARK LIGHT: gives the coloured (saturated) parts of IN a new colour
# ramp from DARK to LIGHT, keeping their shading; grey parts stay as they are.
recolour() {
  convert "$1" -alpha off -colorspace HSL -channel G -separate +channel -threshold 25% mask.png
  convert "$1" \( +clone -alpha off -colorspace gray -level 25%,85% +level-colors "$3,$4" \) \
    mask.png -compose over -composite \( "$1" -alpha extract \) -compose CopyOpacity -composite \
    $keep "PNG32:$2"
}

# keyed PICTURE OUT: the picture as the image list will show it. Pixels less than half
# opaque that can be reached from the border become fully transparent (the key colour,
# later); all else is laid on white. Glass, such as a magnifier's lens, is enclosed and
# so stays; specks of a reflection cut off from the shape go. Magenta proper is kept for
# the key alone.
keyed() {
  convert "$1" -alpha extract -threshold 50% \
    -define connected-components:area-threshold=4 -define connected-components:mean-color=true \
    -connected-components 8 -threshold 50% -bordercolor black -border 1 \
    -fill red -draw 'color 0,0 floodfill' -shave 1x1 \
    -fill white +opaque red -fill black -opaque red -alpha off opaque.png
  convert "$1" -background white -alpha remove -alpha off -fill '#fe00fe' -opaque '#ff00ff' \
    opaque.png -compose CopyOpacity -composite $keep "PNG32:$2"
}

# strip OUT SIZE PICTURE...: checks each picture's size, keys it, lays them side by side.
strip() {
  out=$1 size=$2
  shift 2
  n=0 all=
  for p in "$@"; do
    got=$(identify -format '%wx%h' "$p")
    [ "$got" = "${size}x${size}" ] || { echo "make-pictures.sh: $p is $got, not ${size}x${size}" >&2; exit 1; }
    keyed "$p" "$out-$n.png"
    all="$all $out-$n.png"
    n=$((n + 1))
  done
  # The names hold no blanks.
  convert $all -background none +append $keep "PNG32:$out"
}

# bitmap STRIP OUT: the keyed strip as an uncompressed 24-bit bottom-up BMP with the
# transparent pixels in magenta. Keying left alpha at 0 or 255 only.
bitmap() {
  convert "$1" -background '#ff00ff' -alpha remove -alpha off -type TrueColor -compress None "BMP3:$2"
}

# ---------------------------------------------------------------------------------------
# Our own drawings. Colours are Tango's palette so that they sit well beside its icons.

# logo SIZE MARGIN TILE GAP RADIUS STROKE: four rounded tiles in a 2x2 grid, laid out on
# whole pixels for each size so that the small icons stay sharp.
logo() {
  awk -v s="$1" -v m="$2" -v t="$3" -v g="$4" -v r="$5" -v w="$6" 'BEGIN {
    split("#729fcf #8ae234 #fcaf3e #ef2929", light, " ")
    split("#3465a4 #4e9a06 #f57900 #cc0000", base, " ")
    split("#204a87 #3c7504 #ce5c00 #a40000", edge, " ")
    printf "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n", s, s, s, s
    printf "<defs>\n"
    for (i = 1; i <= 4; i++)
      printf "<linearGradient id=\"g%d\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\"><stop offset=\"0\" stop-color=\"%s\"/><stop offset=\"1\" stop-color=\"%s\"/></linearGradient>\n", i, light[i], base[i]
    printf "</defs>\n"
    for (i = 1; i <= 4; i++) {
      x = m + ((i - 1) % 2) * (t + g)
      y = m + int((i - 1) / 2) * (t + g)
      printf "<rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" rx=\"%g\" fill=\"url(#g%d)\" stroke=\"%s\" stroke-width=\"%g\"/>\n", x + w / 2, y + w / 2, t - w, t - w, r, i, edge[i], w
      if (t >= 9)  # a soft inner rim, as Tango draws; too fine for the smallest icon
        printf "<rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" rx=\"%g\" fill=\"none\" stroke=\"#ffffff\" stroke-opacity=\"0.45\" stroke-width=\"%g\"/>\n", x + w * 1.5, y + w * 1.5, t - 3 * w, t - 3 * w, r * 0.7, w
    }
    printf "</svg>\n"
  }' > logo.svg
  render logo "$1"
}

# A flag of four panes, waving: the left half bows up, the right half down.
cat > flag.svg <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">
  <defs>
    <linearGradient id="r" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#ef2929"/><stop offset="1" stop-color="#cc0000"/></linearGradient>
    <linearGradient id="g" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#8ae234"/><stop offset="1" stop-color="#4e9a06"/></linearGradient>
    <linearGradient id="b" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#729fcf"/><stop offset="1" stop-color="#3465a4"/></linearGradient>
    <linearGradient id="y" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#fce94f"/><stop offset="1" stop-color="#edd400"/></linearGradient>
  </defs>
  <path d="M2.5,4.5 Q7,2 11.5,4.5 V11.5 Q7,9 2.5,11.5 Z" fill="url(#r)"/>
  <path d="M12.5,4.5 Q17,7 21.5,4.5 V11.5 Q17,14 12.5,11.5 Z" fill="url(#g)"/>
  <path d="M2.5,12.5 Q7,10 11.5,12.5 V19.5 Q7,17 2.5,19.5 Z" fill="url(#b)"/>
  <path d="M12.5,12.5 Q17,15 21.5,12.5 V19.5 Q17,22 12.5,19.5 Z" fill="url(#y)"/>
</svg>
EOF

# An orange rounded square with a white six-armed asterisk.
cat > asterisk.svg <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">
  <defs>
    <linearGradient id="o" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#fcaf3e"/><stop offset="1" stop-color="#f57900"/>
    </linearGradient>
  </defs>
  <rect x="2.5" y="2.5" width="19" height="19" rx="3" fill="url(#o)" stroke="#ce5c00"/>
  <rect x="3.5" y="3.5" width="17" height="17" rx="2" fill="none" stroke="#ffffff" stroke-opacity="0.4"/>
  <g stroke="#ffffff" stroke-width="2.4" stroke-linecap="round">
    <line x1="12" y1="6" x2="12" y2="18"/>
    <line x1="6.8" y1="9" x2="17.2" y2="15"/>
    <line x1="6.8" y1="15" x2="17.2" y2="9"/>
  </g>
</svg>
EOF

# A five-pointed yellow star in the lower right, to lay over a folder.
awk 'BEGIN {
  cx = 16.5; cy = 15.5; ro = 6.8; ri = 2.9; pi = atan2(0, -1); pts = ""
  for (i = 0; i < 10; i++) {
    a = -pi / 2 + i * pi / 5; rr = (i % 2) ? ri : ro
    pts = pts sprintf("%.2f,%.2f ", cx + rr * cos(a), cy + rr * sin(a))
  }
  print "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"24\" height=\"24\" viewBox=\"0 0 24 24\">"
  print "<defs><linearGradient id=\"y\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\"><stop offset=\"0\" stop-color=\"#fce94f\"/><stop offset=\"1\" stop-color=\"#edd400\"/></linearGradient></defs>"
  print "<polygon points=\"" pts "\" fill=\"url(#y)\" stroke=\"#c4a000\" stroke-width=\"1\" stroke-linejoin=\"round\"/>"
  print "</svg>"
}' > star.svg

# A pencil lying from the lower left (its point) to the upper right.
cat > pencil.svg <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">
  <g transform="translate(6.5,19.5) rotate(-45)" stroke-width="0.8" stroke-linejoin="round">
    <path d="M0,0 L4.5,-2.2 L4.5,2.2 Z" fill="#e9b96e" stroke="#8f5902"/>
    <path d="M0,0 L1.6,-0.8 L1.6,0.8 Z" fill="#2e3436"/>
    <rect x="4.5" y="-2.2" width="11" height="4.4" fill="#fcaf3e" stroke="#ce5c00"/>
    <rect x="15.5" y="-2.2" width="1.6" height="4.4" fill="#d3d7cf" stroke="#555753"/>
    <rect x="17.1" y="-2.2" width="2.4" height="4.4" rx="0.8" fill="#ef2929" stroke="#a40000"/>
  </g>
</svg>
EOF

# A strip of film with two frames, drawn on whole pixels to lay over a page.
cat > film.svg <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24" shape-rendering="crispEdges">
  <rect x="5" y="6" width="14" height="11" fill="#2e3436"/>
  <g fill="#eeeeec">
    <rect x="6" y="7" width="1" height="1"/><rect x="8" y="7" width="1" height="1"/>
    <rect x="10" y="7" width="1" height="1"/><rect x="12" y="7" width="1" height="1"/>
    <rect x="14" y="7" width="1" height="1"/><rect x="16" y="7" width="1" height="1"/>
    <rect x="6" y="15" width="1" height="1"/><rect x="8" y="15" width="1" height="1"/>
    <rect x="10" y="15" width="1" height="1"/><rect x="12" y="15" width="1" height="1"/>
    <rect x="14" y="15" width="1" height="1"/><rect x="16" y="15" width="1" height="1"/>
  </g>
  <rect x="6" y="9" width="5" height="3" fill="#729fcf"/><rect x="6" y="12" width="5" height="2" fill="#73d216"/>
  <rect x="13" y="9" width="5" height="3" fill="#729fcf"/><rect x="13" y="12" width="5" height="2" fill="#73d216"/>
</svg>
EOF

# The icon view: a pane holding four icons with their captions.
cat > iconview.svg <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <defs>
    <linearGradient id="p" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#e4e6e1"/>
    </linearGradient>
    <linearGradient id="b" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#729fcf"/><stop offset="1" stop-color="#3465a4"/>
    </linearGradient>
  </defs>
  <rect x="2.5" y="3.5" width="27" height="25" rx="1.5" fill="url(#p)" stroke="#888a85"/>
  <g shape-rendering="crispEdges">
    <g fill="url(#b)" stroke="#204a87">
      <rect x="7.5" y="6.5" width="6" height="6"/><rect x="18.5" y="6.5" width="6" height="6"/>
      <rect x="7.5" y="17.5" width="6" height="6"/><rect x="18.5" y="17.5" width="6" height="6"/>
    </g>
    <g fill="#888a85">
      <rect x="6" y="14" width="9" height="1"/><rect x="17" y="14" width="9" height="1"/>
      <rect x="6" y="25" width="9" height="1"/><rect x="17" y="25" width="9" height="1"/>
    </g>
  </g>
</svg>
EOF

# Information: a white "i" on a blue disc.
cat > info.svg <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <defs>
    <linearGradient id="b" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#729fcf"/><stop offset="1" stop-color="#3465a4"/>
    </linearGradient>
  </defs>
  <circle cx="16" cy="16" r="13.5" fill="url(#b)" stroke="#204a87"/>
  <circle cx="16" cy="16" r="12.5" fill="none" stroke="#ffffff" stroke-opacity="0.35"/>
  <g fill="#ffffff">
    <circle cx="16" cy="9" r="2.3"/>
    <path d="M12.5,13 H17.8 V22 H19.5 V24.5 H12.5 V22 H14.2 V15.5 H12.5 Z"/>
  </g>
</svg>
EOF

render flag 24
render asterisk 24
render star 24
render pencil 24
render film 24
render iconview 32
render info 32
logo 16 1 6 2 1.5 1
logo 24 2 9 2 2 1
logo 32 2 13 2 3 1
logo 48 3 19 4 4 1
logo 256 16 106 12 20 4

# ---------------------------------------------------------------------------------------
# Pictures built on Tango's.

# A blank page: Tango's text page with each line wiped out by the page colour above it
# (lighten keeps the lighter of a pixel and the one above; the lines are darker).
page=$(tango 24 mimetypes/text-x-generic)
convert "$page" -crop 12x16+7+3 +repage lines.png
convert lines.png -page +0+1 -background none -flatten lines.png -compose lighten -composite wiped.png
convert "$page" wiped.png -geometry +7+3 -compose over -composite $keep PNG32:blank.png

# The same page with its top right corner folded down: cut off beyond the diagonal,
# then the diagonal, the fold's two edges and its back, pixel by pixel.
fold=
i=0
while [ $i -le 5 ]; do
  fold="$fold point $((15 + i)),$((2 + i)) point 15,$((2 + i)) point $((15 + i)),7"
  i=$((i + 1))
done
convert blank.png \( -size 24x24 xc:none +antialias -fill black -draw 'polygon 16,2 20,2 20,6' \) \
  -compose DstOut -composite +antialias -fill '#888a85' -draw "$fold" \
  -fill '#e4e5e1' -draw 'polygon 16,4 16,6 18,6' $keep PNG32:folded.png

over blank.png film-24.png filmpage.png

# A blue page with a pen: the text page tinted blue, a pencil across it.
convert "$page" \( +clone -alpha off -fill '#bcd3f0' -colorize 100 \) -compose multiply -composite \
  \( "$page" -alpha extract \) -compose CopyOpacity -composite $keep PNG32:bluepage.png
over bluepage.png pencil-24.png penpage.png

# Tango's folder is blue; a yellow one is wanted as well.
recolour "$(tango 24 places/folder)" yellow-24.png '#a07a00' '#ffef6a'
recolour "$(tango 32 places/folder)" yellow-32.png '#a07a00' '#ffef6a'

over "$(tango 24 places/folder)" star-24.png starfolder.png

# Tango's control centre, a small panel of items, over the folder's corner.
convert -size 24x24 xc:none "$(tango 16 categories/preferences-desktop)" -geometry +8+8 \
  -compose over -composite panel.png
over "$(tango 24 places/folder)" panel.png panelfolder.png

# Recycle bin with green arrows: Tango's bin made grey, so that its refresh arrows,
# drawn small and turned green, stand out on it; the plain bin stays green.
convert "$(tango 24 places/user-trash)" -modulate 110,0 PNG32:greybin.png
rsvg-convert -w 13 -h 13 -o arrows.png "$tango/scalable/actions/view-refresh.svg"
recolour arrows.png greenarrows.png '#2d5f00' '#8ae234'
convert greybin.png greenarrows.png -geometry +5+8 -compose over -composite $keep PNG32:recycle.png

# ---------------------------------------------------------------------------------------
# Assembly, in the order the program indexes the pictures.

strip tree.png 24 \
  logo-24.png blank.png "$page" "$(tango 24 mimetypes/x-office-document)" filmpage.png \
  folded.png yellow-24.png "$(tango 24 devices/drive-harddisk)" \
  "$(tango 24 apps/internet-web-browser)" penpage.png "$(tango 24 actions/system-search)" \
  recycle.png "$(tango 24 mimetypes/package-x-generic)" flag-24.png panelfolder.png \
  starfolder.png asterisk-24.png "$(tango 24 places/folder-saved-search)" \
  "$(tango 24 apps/system-users)" "$(tango 24 actions/edit-find)" "$(tango 24 places/user-trash)"

strip toolbar.png 32 \
  "$(tango 32 actions/list-add)" "$(tango 32 apps/accessories-text-editor)" \
  "$(tango 32 places/user-trash)" iconview-32.png info-32.png "$(tango 32 actions/system-log-out)"

strip editor.png 32 "$(tango 32 mimetypes/application-x-executable)" yellow-32.png

mkdir -p "$res" "$categories_res" "$shortcuts_res"
bitmap tree.png "$categories_res/tree.bmp"
bitmap toolbar.png "$shortcuts_res/toolbar.bmp"
bitmap editor.png "$shortcuts_res/editor.bmp"

# bytes VALUE COUNT: VALUE as COUNT bytes, least significant first.
bytes() {
  v=$1 i=0
  while [ $i -lt "$2" ]; do
    printf "\\$(printf %03o $((v % 256)))"
    v=$((v / 256)) i=$((i + 1))
  done
}

# png_icon OUT PNG...: an icon file whose images are the square 32-bit PNGs given.
# ImageMagick stores sizes under 256 as bitmaps, ten times as large; the system reads
# PNG images at every size since Windows Vista.
png_icon() {
  out=$1
  shift
  { bytes 0 2; bytes 1 2; bytes $# 2; } > "$out"
  offset=$((6 + 16 * $#))
  for p in "$@"; do
    side=$(identify -format '%w' "$p")
    size=$(wc -c < "$p")
    { bytes "$side" 1; bytes "$side" 1; bytes 0 2; bytes 1 2; bytes 32 2; bytes "$size" 4
      bytes "$offset" 4; } >> "$out"
    offset=$((offset + size))
  done
  cat "$@" >> "$out"
}

# Each tree picture as an icon of its own, for the desktop shortcut of a category. The
# pictures exist at 24 pixels: 16 is made smaller, 32 lays the 24 on a blank margin,
# and 48 doubles every pixel, so that no size is blurred by scaling up.
n=0
while [ $n -lt 21 ]; do
  picture=tree.png-$n.png
  convert "$picture" -resize 16x16 $keep PNG32:icon-16.png
  convert "$picture" $keep PNG32:icon-24.png
  convert "$picture" -background none -gravity center -extent 32x32 $keep PNG32:icon-32.png
  convert "$picture" -filter point -resize 48x48 $keep PNG32:icon-48.png
  png_icon "$categories_res/tree-$(printf %02d $n).ico" icon-16.png icon-24.png icon-32.png icon-48.png
  n=$((n + 1))
done

# Entries up to 48 pixels are stored as 32-bit bitmaps with alpha, 256 as PNG.
convert logo-16.png logo-24.png logo-32.png logo-48.png logo-256.png $keep "$res/tessaly.ico"

echo "make-pictures.sh: wrote $categories_res/tree.bmp, tree-00.ico to tree-20.ico, $shortcuts_res/toolbar.bmp, $shortcuts_res/editor.bmp and $res/tessaly.ico"
