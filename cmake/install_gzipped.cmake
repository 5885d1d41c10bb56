# velmoka_install_gzipped(<file> <destination>)
# Compresses <file>, a file of the build tree, into <file>.gz beside it at build time and
# installs that into <destination>. gzip -9n: the best compression, and neither the file's
# name nor its time in the header, so that the same text always gives the same bytes.
find_program(VELMOKA_GZIP gzip REQUIRED)

function(velmoka_install_gzipped file destination)
    get_filename_component(name ${file} NAME)
    add_custom_command(OUTPUT ${file}.gz
        COMMAND ${VELMOKA_GZIP} -9n --keep --force ${file}
        DEPENDS ${file}
        COMMENT "Compressing ${name}")
    add_custom_target(gzip_${name} ALL DEPENDS ${file}.gz)
    install(FILES ${file}.gz DESTINATION ${destination})
endfunction()
