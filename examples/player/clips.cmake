# SPDX-License-Identifier: LGPL-2.1-or-later
# Test clips, made with the ffmpeg command rather than downloaded. The demo's
# (player-clips, installed for --demo) stay well under 1 MiB together; the
# benchmark's 1080p30 clip (player-bench-clips) is made only when asked for.
# testsrc2 moves, so consecutive frames differ; each audio track has its own
# tone, so a switch of tracks is a switch of sound.
set(_clip_dir ${_root}/${_clips})
set(_ffmpeg ${FFMPEG_EXECUTABLE} -nostdin -hide_banner -loglevel error -y)
set(_video -c:v libx264 -preset veryfast -crf 30 -pix_fmt yuv420p -g 25)
set(_subtitles ${CMAKE_CURRENT_BINARY_DIR}/tour-captions.srt)
file(WRITE ${_subtitles} "1\n00:00:00,000 --> 00:00:08,000\nZentrix captions\n")

add_custom_command(OUTPUT ${_clip_dir}/tour.mkv
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_clip_dir}
  COMMAND ${_ffmpeg}
    -f lavfi -i testsrc2=size=320x180:rate=25:duration=8
    -f lavfi -i sine=frequency=440:duration=8
    -f lavfi -i sine=frequency=660:duration=8
    -i ${_subtitles}
    -map 0:v -map 1:a -map 2:a -map 3:s ${_video}
    -c:a:0 aac -b:a:0 48k -c:a:1 ac3 -b:a:1 64k -c:s srt
    -metadata:s:a:0 language=en-US -metadata:s:a:0 title=Main
    -metadata:s:a:1 language=pt-BR -metadata:s:a:1 title=Commentary
    -metadata:s:s:0 language=fr-CA -metadata:s:s:0 title=Captions
    ${_clip_dir}/tour.mkv
  DEPENDS ${_subtitles}
  COMMENT "Making the clip tour.mkv"
  VERBATIM)
add_custom_command(OUTPUT ${_clip_dir}/short.mp4
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_clip_dir}
  COMMAND ${_ffmpeg}
    -f lavfi -i testsrc2=size=320x240:rate=50:duration=3
    -f lavfi -i sine=frequency=550:duration=3
    ${_video} -c:a aac -b:a 48k -movflags +faststart ${_clip_dir}/short.mp4
  COMMENT "Making the clip short.mp4"
  VERBATIM)
add_custom_command(OUTPUT ${_clip_dir}/tone.m4a
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_clip_dir}
  COMMAND ${_ffmpeg} -f lavfi -i sine=frequency=330:duration=3 -c:a aac -b:a 48k
    ${_clip_dir}/tone.m4a
  COMMENT "Making the clip tone.m4a"
  VERBATIM)
# The first 7 bytes of a Matroska file: its magic number, nothing to play.
add_custom_command(OUTPUT ${_clip_dir}/broken.mkv
  COMMAND dd if=${_clip_dir}/tour.mkv of=${_clip_dir}/broken.mkv bs=7 count=1 status=none
  DEPENDS ${_clip_dir}/tour.mkv
  VERBATIM)
file(WRITE ${_clip_dir}/notes.avi "Not a movie: a text file with a movie's extension.\n")

set(_demo_clips tour.mkv short.mp4 tone.m4a broken.mkv)
list(TRANSFORM _demo_clips PREPEND ${_clip_dir}/)
add_custom_target(player-clips ALL DEPENDS ${_demo_clips})
install(FILES ${_demo_clips} ${_clip_dir}/notes.avi DESTINATION ${_clips})

set(PLAYER_BENCH_CLIP ${PROJECT_BINARY_DIR}/bench/clips/bench-1080p30.mkv)
add_custom_command(OUTPUT ${PLAYER_BENCH_CLIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/bench/clips
  COMMAND ${_ffmpeg}
    -f lavfi -i testsrc2=size=1920x1080:rate=30:duration=12
    -f lavfi -i sine=frequency=440:duration=12
    -c:v libx264 -preset veryfast -crf 23 -pix_fmt yuv420p -g 60 -c:a aac -b:a 96k
    ${PLAYER_BENCH_CLIP}
  COMMENT "Making the benchmark's 1080p30 clip"
  VERBATIM)
add_custom_target(player-bench-clips DEPENDS ${PLAYER_BENCH_CLIP})
