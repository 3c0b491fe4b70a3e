# The web release's program: glimmerax.js, glimmerax.wasm and glimmerax.data (the data folder
# at /data, its sounds decoded by the browser), for packaging/web/index.html. Included by the
# top CMakeLists.txt when Emscripten builds it.
#
# - OpenGL 1.x is Emscripten's fixed-function emulation, on WebGL 2 only: WebGL 1 samples a
#   repeating texture whose size is not a power of two as black.
# - Asyncify lets the game's loops (play, and watching a replay) yield to the browser on
#   every frame without unwinding them (platform/BrowserFrame.cpp). No call reaches a yield
#   through a function pointer, so indirect calls are not instrumented, which keeps the code
#   small and fast.
# - The player's files live in IndexedDB through IDBFS (packaging/web/pre.js).
set_target_properties(glimmerax PROPERTIES SUFFIX ".js")
target_link_options(glimmerax PRIVATE
  -sLEGACY_GL_EMULATION=1
  -sMIN_WEBGL_VERSION=2
  -sMAX_WEBGL_VERSION=2
  -sASYNCIFY=1
  -sASYNCIFY_IGNORE_INDIRECT=1
  -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=67108864
  -sENVIRONMENT=web
  -sFORCE_FILESYSTEM=1
  -sEXIT_RUNTIME=1
  -lidbfs.js
  "SHELL:--pre-js ${CMAKE_CURRENT_SOURCE_DIR}/packaging/web/pre.js"
  "SHELL:--preload-file ${CMAKE_CURRENT_SOURCE_DIR}/data@/data"
  --use-preload-plugins)
set_property(TARGET glimmerax APPEND PROPERTY LINK_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/packaging/web/pre.js)
