#!/usr/bin/env bash
# Damaged data: the real game on damaged copies of its data directory, one run per table row and
# file. Shader failures must be fatal with their exact message, the pause and status 255; model and
# image failures silent, with frames going on until Escape ends the game with status 0; images the game
# can read in another depth draw what the data drew before. Never a crash, a hang, a GL error line or
# anything on stderr (sanitizer reports included).
# Usage: damaged_data_e2e.sh <build dir> <shader|image|model> [worst]   ("worst": marked rows only)
source "$(dirname "$0")/lib.sh" "$1"
group=$2
only_worst=${3:-}

# group | files (glob under the game directory; one run per file) | damage | expected | worst
# expected: "runs"; "picture [damage]": runs and draws a planet in a still view as the undamaged
# data (or the data with that damage) does; or the first console line of the fatal start-up failure
# (%s: the file; the shared ShadowLookup.glsl fails within the first shader compiled)
TABLE='
shader | Shader/*                   | missing     | Failed to open shader file: %s |
shader | Shader/bloom.vert          | directory   | Failed to open shader file: %s | worst
shader | Shader/DepthShader.vert    | empty       | Failed to compile shader (%s |
shader | Shader/DepthShader.geom    | empty       | Failed to compile shader (%s |
shader | Shader/blur.frag           | empty       | Failed to compile shader (%s |
shader | Shader/FlatTexture.frag    | syntax      | Failed to compile shader (%s |
shader | Shader/ShadowLookup.glsl   | syntax      | Failed to compile shader (Shader/DepthShader.vert |
shader | Shader/SpecularShader.frag | link        | Failed to link shader program |
shader | Shader/SkyboxShader.frag   | truncated   | Failed to compile shader (%s |
shader | Shader/DepthShader.geom    | random      | Failed to compile shader (%s | worst
shader | Shader/bloom.frag          | utf8        | Failed to compile shader (%s |
shader | Shader/FlatTexture.frag    | huge        | runs | worst
image  | Models/planet_diffuse.png Models/Skybox_up.png | missing | runs |
image  | Models/planet_diffuse.png Models/Skybox_up.png | empty | runs |
image  | Models/planet_diffuse.png Models/Skybox_up.png | truncated | runs | worst
image  | Models/planet_diffuse.png Models/Skybox_up.png | random | runs | worst
image  | Models/planet_diffuse.png Models/Skybox_up.png | bmp | runs |
image  | Models/Skybox_right.png    | jpeg        | runs |
image  | Models/planet_diffuse.png Models/Skybox_up.png | palette1 | runs | worst
image  | Models/planet_diffuse.png Models/Skybox_up.png | palette4 | runs |
image  | Models/planet_diffuse.png Models/Skybox_up.png | palette8 | runs |
image  | Models/planet_diffuse.png Models/Skybox_up.png | grey8 | runs |
image  | Models/planet_diffuse.png Models/Skybox_up.png | grey_alpha | runs |
image  | Models/planet_diffuse.png Models/Skybox_up.png | grey16 | picture grey8 | worst
image  | Models/planet_diffuse.png Models/Skybox_up.png | rgb48 | picture |
image  | Models/planet_diffuse.png Models/Skybox_up.png | rgba64 | picture |
image  | Models/planet_diffuse.png Models/Skybox_right.png | huge_header | runs | worst
image  | Models/asteroid_diffuse.png Models/Skybox_back.png | fifo | runs |
model  | Models/*.dae               | missing     | runs |
model  | Models/planet.dae          | empty       | runs |
model  | Models/scythe2.dae         | truncated   | runs | worst
model  | Models/shipmesh.dae        | random      | runs | worst
model  | Models/asteroid.dae        | png         | runs |
model  | Models/shipmesh.dae        | points      | runs |
model  | Models/shipmesh.dae        | lines       | runs |
model  | Models/shipmesh.dae        | no_normals  | runs |
model  | Models/shipmesh.dae        | no_uv       | runs |
model  | Models/shipmesh.dae        | no_vertices | runs | worst
model  | Models/shipmesh.dae        | bad_index   | runs | worst
model  | Models/shipmesh.dae        | absolute_texture | runs |
model  | Models/shipmesh.dae        | climbing_texture | runs |
model  | Models/shipmesh.dae        | fifo_texture | runs |
model  | Models/shipmesh.dae        | nested_nodes | runs | worst
model  | Models/shipmesh.dae        | misspelt_count | runs | worst
model  | Models/shipmesh.dae        | no_p_list   | runs | worst
model  | Models/shipmesh.dae        | bad_token   | runs | worst
model  | Models/*.dae               | far_vertex  | runs |
model  | Models/shipmesh.dae        | huge_coordinate | runs | worst
model  | Models/asteroid.dae        | infinite_coordinate | runs |
'

random_bytes() { perl -e 'srand($ARGV[0]); print map { chr(int(rand(256))) } 1 .. $ARGV[1]' "$1" "$2"; }

# A PNG of 69 bytes whose header claims 100000 x 100000 pixels.
huge_png() {
  printf '\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x01\x86\xa0\x00\x01\x86\xa0\x08\x02\x00\x00\x00\x27\x30\x9c\x9f'
  printf '\x00\x00\x00\x0cIDAT\x78\x9c\x63\x60\xa0\x0c\x00\x00\x00\x40\x00\x01\xb7\x34\x7c\xef'
  printf '\x00\x00\x00\x00IEND\xae\x42\x60\x82'
}

# collada [texture] [primitive] [depth] [count attribute]: one textured triangle with normals and
# texture coordinates, or the given primitive, under `depth` nested nodes.
collada() {
  local texture=${1:-shipmesh_diffuse.png} depth=${3:-1} count=${4:-count}
  local primitive=${2:-'<triangles material="m" count="1"><input semantic="VERTEX" source="#v" offset="0"/><input semantic="NORMAL" source="#n" offset="0"/><input semantic="TEXCOORD" source="#t" offset="0" set="0"/><p>0 1 2</p></triangles>'}
  local xyz='<param name="X" type="float"/><param name="Y" type="float"/><param name="Z" type="float"/>'
  cat <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">
<library_images><image id="i"><init_from>$texture</init_from></image></library_images>
<library_effects><effect id="fx"><profile_COMMON>
<newparam sid="s"><surface type="2D"><init_from>i</init_from></surface></newparam>
<newparam sid="smp"><sampler2D><source>s</source></sampler2D></newparam>
<technique sid="t"><phong><diffuse><texture texture="smp" texcoord="UV"/></diffuse></phong></technique>
</profile_COMMON></effect></library_effects>
<library_materials><material id="m"><instance_effect url="#fx"/></material></library_materials>
<library_geometries><geometry id="g"><mesh>
<source id="p"><float_array id="pa" $count="9">0 0 0 2 0 0 0 2 0</float_array>
<technique_common><accessor source="#pa" count="3" stride="3">$xyz</accessor></technique_common></source>
<source id="n"><float_array id="na" count="9">0 0 1 0 0 1 0 0 1</float_array>
<technique_common><accessor source="#na" count="3" stride="3">$xyz</accessor></technique_common></source>
<source id="t"><float_array id="ta" count="6">0 0 1 0 0 1</float_array>
<technique_common><accessor source="#ta" count="3" stride="2"><param name="S" type="float"/><param name="T" type="float"/></accessor></technique_common></source>
<vertices id="v"><input semantic="POSITION" source="#p"/></vertices>
$primitive
</mesh></geometry></library_geometries>
<library_visual_scenes><visual_scene id="vs">
EOF
  for ((level = 0; level < depth; ++level)); do printf '<node id="n%d">' "$level"; done
  echo '<instance_geometry url="#g"><bind_material><technique_common><instance_material symbol="m" target="#m"/></technique_common></bind_material></instance_geometry>'
  for ((level = 0; level < depth; ++level)); do printf '</node>'; done
  echo '</visual_scene></library_visual_scenes><scene><instance_visual_scene url="#vs"/></scene></COLLADA>'
}

triangle_without() {  # the triangle list without the named input
  echo "<triangles material=\"m\" count=\"1\"><input semantic=\"VERTEX\" source=\"#v\" offset=\"0\"/>$1<p>0 1 2</p></triangles>"
}

# set_first_coordinate <model> <value>: moves the first vertex of each mesh along x to value.
set_first_coordinate() {
  sed -E -i "s/(-positions-array\" count=\"[0-9]+\">) *[^ <]+/\1$2/" "$1"
  grep -q -- "-positions-array\" count=\"[0-9]*\">$2 " "$1"
}

# damage <file> <kind>: damages one file of the game directory in place.
damage() {
  local file=$1 kind=$2
  case $kind in
    none) ;;
    missing) rm -f "$file" ;;
    directory) rm -f "$file" && mkdir "$file" ;;
    empty) : >"$file" ;;
    truncated) truncate -s $(($(stat -c %s "$file") / 2)) "$file" ;;
    random) random_bytes 7 4096 >"$file" ;;
    fifo) rm -f "$file" && mkfifo "$file" ;;
    syntax) echo 'this is not a statement' >>"$file" ;;
    link) printf '#version 410 core\nout vec4 fragColor;\nvec4 neverDefined();\nvoid main() { fragColor = neverDefined(); }\n' >"$file" ;;
    utf8) sed -i '2i \xff\xfe\xc3\x28 \xe2\x82' "$file" ;;
    huge) for ((i = 0; i < 160000; ++i)); do echo "// padding line $i, a shader source of ten megabytes still compiles"; done >>"$file" ;;
    bmp) convert "$file" BMP3:"$file" ;;
    jpeg) convert "$file" JPEG:"$file" ;;
    palette1) convert "$file" -colors 2 -type Palette -depth 1 -define png:bit-depth=1 -define png:color-type=3 "$file" ;;
    palette4) convert "$file" -colors 16 -define png:bit-depth=4 -define png:color-type=3 "$file" ;;
    palette8) convert "$file" -colors 200 PNG8:"$file" ;;
    grey8) convert "$file" -colorspace Gray -type Grayscale -depth 8 "$file" ;;
    grey_alpha) convert "$file" -colorspace Gray -define png:bit-depth=8 -define png:color-type=4 "$file" ;;
    grey16) convert "$file" -colorspace Gray -depth 16 -define png:bit-depth=16 -define png:color-type=0 "$file" ;;
    rgb48) convert "$file" PNG48:"$file" ;;
    rgba64) convert "$file" -alpha set PNG64:"$file" ;;
    huge_header) huge_png >"$file" ;;
    png) cp "$WORK/game/Models/shipmesh_diffuse.png" "$file" ;;
    points) collada '' '<polylist material="m" count="3"><input semantic="VERTEX" source="#v" offset="0"/><vcount>1 1 1</vcount><p>0 1 2</p></polylist>' >"$file" ;;
    lines) collada '' '<lines material="m" count="1"><input semantic="VERTEX" source="#v" offset="0"/><p>0 1</p></lines>' >"$file" ;;
    no_normals) collada '' "$(triangle_without '<input semantic="TEXCOORD" source="#t" offset="0" set="0"/>')" >"$file" ;;
    no_uv) collada '' "$(triangle_without '<input semantic="NORMAL" source="#n" offset="0"/>')" >"$file" ;;
    no_vertices) collada '' '<triangles material="m" count="0"><input semantic="VERTEX" source="#v" offset="0"/><p></p></triangles>' |
      sed 's/count="9">0 0 0 2 0 0 0 2 0/count="0">/; s/accessor source="#pa" count="3"/accessor source="#pa" count="0"/' >"$file" ;;
    bad_index) collada '' "$(triangle_without '' | sed 's/0 1 2/0 1 7/')" >"$file" ;;
    absolute_texture) collada "$WORK/game/Models/shipmesh_diffuse.png" >"$file" ;;
    climbing_texture) collada '../../../../../../../../etc/hostname' >"$file" ;;
    fifo_texture) mkfifo "$WORK/game/pipe.png" && collada '../pipe.png' >"$file" ;;
    nested_nodes) collada '' '' 10000 >"$file" ;;
    misspelt_count) collada '' '' 1 cuont >"$file" ;;
    no_p_list) collada '' "$(triangle_without '' | sed 's|<p>0 1 2</p>||')" >"$file" ;;
    bad_token) collada '' "$(triangle_without '' | sed 's/0 1 2/0 x 2/')" >"$file" ;;
    far_vertex) set_first_coordinate "$file" -100000 ;;
    huge_coordinate) set_first_coordinate "$file" 1e30 ;;
    infinite_coordinate) set_first_coordinate "$file" inf ;;
    *) fail "unknown damage $kind" ;;
  esac
}

# check_case <file> <damage> <expected>: one run of the game on a fresh copy of the data; "still"
# expects a run and keeps a still region of a view with a planet as $WORK/<damage>.png.
check_case() {
  local file=$1 kind=$2 expected=$3 observed reference differing
  rm -rf "$WORK/game"
  prepare_game_dir
  (cd "$WORK/game" && damage "$file" "$kind") || fail "could not damage $file ($kind)"
  local GAME_ARGS=  # pictures are compared in a paused world
  [ "$expected" = runs ] || GAME_ARGS='--set paused=1'
  start_game
  if [[ $expected =~ ^(runs|still|picture) ]]; then
    wait_for_line '^fps: ~' 1 90
    if [ "$expected" != runs ]; then
      # The free view from (0, 0, 5): a planet beside the light; two reports: the keys' frame shown.
      hold_key 1 0.5
      hold_key r 0.5
      wait_for_line '^fps: ~' $(($(count_lines '^fps: ~') + 2))
      import -window "$(game_window)" -crop 200x150+600+170 +repage "$WORK/$kind.png"
    fi
    quit_game
    observed="runs, status $GAME_STATUS"
    [ "$GAME_STATUS" = 0 ] || fail "$file $kind: $observed"
  else
    wait_game_exit 60
    observed="$(head -n 1 "$WORK/out.log"), status $GAME_STATUS"
    [ "$observed" = "$(printf "$expected" "$file"), status 255" ] || fail "$file $kind: $observed"
    grep -q '^Press Enter to continue' "$WORK/out.log" || fail "$file $kind: no pause"
    # A compile error in the shared file is named with its own line number, not the shader's.
    [[ $file != */ShadowLookup.glsl || $expected != 'Failed to compile'* ]] ||
      grep -q '^Shader/ShadowLookup\.glsl:[0-9]' "$WORK/out.log" || fail "$file $kind: the log names no line of it"
  fi
  grep -q '^GL: ' "$WORK/out.log" && fail "$file $kind: GL error"
  [ ! -s "$WORK/err.log" ] || fail "$file $kind: output on stderr"
  if [[ $expected == picture* ]]; then
    reference=$(echo ${expected#picture})
    check_case "$file" "${reference:=none}" still >/dev/null
    # 1 %: a 16-bit sample's high byte may differ by one from the 8-bit conversion's rounding.
    differing=$(compare -metric AE -fuzz 1% "$WORK/$kind.png" "$WORK/$reference.png" null: 2>&1)
    [ "$differing" = 0 ] || fail "$file $kind: $differing pixels differ from the picture with damage $reference"
    observed="$observed, the same picture"
  fi
  echo "| $file | $kind | $(printf "$expected" "$file") | $observed |"
}

cases=0
while IFS='|' read -r row_group files kind expected worst; do
  row_group=$(echo $row_group)
  [ "$row_group" = "$group" ] || continue
  [ -n "$only_worst" ] && [ -z "$(echo $worst)" ] && continue
  kind=$(echo $kind)
  expected=$(echo "$expected" | sed 's/^ *//; s/ *$//')
  for file in $(cd "$BUILD_DIR" && echo $files); do
    check_case "$file" "$kind" "$expected"
    cases=$((cases + 1))
  done
done <<<"$TABLE"
[ "$cases" -gt 0 ] || fail "no cases for group $group"
echo "damaged data ($group): $cases cases passed"
