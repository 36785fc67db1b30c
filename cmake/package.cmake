# The Debian package: `cmake --build build --target package` makes tandrel_VERSION_ARCH.deb.
# It holds what an install holds, laid out as Debian wants it whatever the build was configured
# for: the program in /usr/games, the man page compressed, and the copyright and changelog that
# every package carries. A plain install keeps its own layout, so the program and its page have a
# rule of each kind: component "plain" for the install, "debian" for the package. /usr/games lies
# as deep as bin, so the program finds its data from its own place, as after a plain install.

set(TANDREL_PACKAGE_MAINTAINER "the tandrel developers <maintainers@tandrel.invalid>" CACHE STRING
    "The package's Maintainer field; the default's address is a placeholder (.invalid)")

set(debian_dir ${CMAKE_BINARY_DIR}/debian)
set(compressed_dir ${debian_dir}/compressed)
set(debian_docdir ${CMAKE_INSTALL_DATADIR}/doc/tandrel)
install(TARGETS tandrel RUNTIME DESTINATION games COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${compressed_dir}/tandrel.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES LICENSE DESTINATION ${debian_docdir} RENAME copyright COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${compressed_dir}/changelog.gz DESTINATION ${debian_docdir} COMPONENT debian EXCLUDE_FROM_ALL)

# The changelog's one entry is this version's release, dated as the metainfo dates it.
file(READ ${CMAKE_SOURCE_DIR}/dat/desktop/${TANDREL_APP_ID}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<release version=\"${PROJECT_VERSION}\" date=\"([0-9-]+)\"")
  message(FATAL_ERROR "The metainfo has no release ${PROJECT_VERSION}: the package's changelog takes its date from there")
endif()
execute_process(COMMAND date -u -R -d ${CMAKE_MATCH_1} OUTPUT_VARIABLE release_date
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE date_status)
if(NOT date_status EQUAL 0)
  message(FATAL_ERROR "date could not read the metainfo's release date ${CMAKE_MATCH_1}")
endif()
# Written at generate time, and only when it changes, so that a configure alone remakes nothing.
file(GENERATE OUTPUT ${debian_dir}/changelog CONTENT
"tandrel (${PROJECT_VERSION}) unstable; urgency=medium

  * Release ${PROJECT_VERSION}.

 -- ${TANDREL_PACKAGE_MAINTAINER}  ${release_date}
")

# gzip -n leaves out the name and time, so that the same sources give the same package. gzip gives
# its output the input's time, which would leave it older than its source: touch it.
function(tandrel_debian_gzip source)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${compressed_dir}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${compressed_dir}/${name}
    COMMAND gzip -9nf ${compressed_dir}/${name}
    COMMAND ${CMAKE_COMMAND} -E touch ${compressed_dir}/${name}.gz
    DEPENDS ${source} VERBATIM)
endfunction()
tandrel_debian_gzip(${CMAKE_SOURCE_DIR}/doc/tandrel.6)
tandrel_debian_gzip(${debian_dir}/changelog)
add_custom_target(debian_files ALL DEPENDS ${compressed_dir}/tandrel.6.gz ${compressed_dir}/changelog.gz)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TANDREL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game for two players at one keyboard")
# Lines of at most 80 characters, as the control file wants them.
set(CPACK_PACKAGE_DESCRIPTION
"In whiskerwaltz the players are the two paws of a cat chasing a mouse. Trap
the running mouse between both paws to score, but every approach frightens it,
and a mouse frightened too often dies. The picture is a grid of coloured cells
on a gently wobbling sheet, and every sound is synthesized while it plays.")
include(CPack)
