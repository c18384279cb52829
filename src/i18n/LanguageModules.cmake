# Language modules: resources/i18n/<part>_<code>.ts -> <bin>/tarvix.<code>, one compiled module per language
# holding the catalogue and the windows' captions.
set(TARVIX_MODULE_BASENAME tarvix)
set(TARVIX_TS_DIR ${PROJECT_SOURCE_DIR}/resources/i18n)
set(TARVIX_LANGUAGE_MODULES)
foreach(code enu deu ita)
  file(GLOB ts_files CONFIGURE_DEPENDS ${TARVIX_TS_DIR}/*_${code}.ts)
  set(module ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${TARVIX_MODULE_BASENAME}.${code})
  add_custom_command(OUTPUT ${module}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    COMMAND Qt6::lrelease -silent ${ts_files} -qm ${module}
    DEPENDS ${ts_files}
    COMMENT "Language module ${TARVIX_MODULE_BASENAME}.${code}"
    VERBATIM)
  list(APPEND TARVIX_LANGUAGE_MODULES ${module})
endforeach()
add_custom_target(tarvix_language_modules ALL DEPENDS ${TARVIX_LANGUAGE_MODULES})
# Both programs speak through them: they go with the relay, which the desktop program depends on.
install(FILES ${TARVIX_LANGUAGE_MODULES} DESTINATION ${TARVIX_INSTALL_PROGRAMDIR} COMPONENT relay)
