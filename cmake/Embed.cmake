# cr_embed(<target> <symbol> <file>): compiles the bytes of <file> into <target> as
#   extern const unsigned char <symbol>[]; extern const std::size_t <symbol>_size;
# The generated source is rebuilt whenever the file changes.
function(cr_embed target symbol file)
  get_filename_component(abs "${file}" ABSOLUTE)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/embed_${symbol}.cpp")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -DIN=${abs} -DOUT=${out} -DSYMBOL=${symbol}
            -P "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
    DEPENDS "${abs}" "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
