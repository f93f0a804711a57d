# The Windows folder the programs run from: every installed program, the DLLs it loads, the Qt
# plugins, the font the forms are drawn in and the sample dump, all side by side. CPack packs it as
# a zip and as an NSIS installer. Included last, so that its deployment step sees every program.
find_file(TB_DEJAVU_SANS DejaVuSans.ttf PATHS /usr/share/fonts/truetype/dejavu NO_DEFAULT_PATH
    NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(TB_MINGW_OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)

get_target_property(tb_qt_core Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT tb_qt_core)
    get_target_property(tb_qt_core Qt6::Core LOCATION)
endif()
get_filename_component(tb_qt_bin "${tb_qt_core}" DIRECTORY)
get_filename_component(tb_qt_prefix "${tb_qt_bin}" DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE tb_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(tb_gcc_dlls "${tb_libstdcxx}" DIRECTORY)
# Where the DLLs come from: Qt, then the compiler's runtime and the mingw-w64 libraries.
set(TB_DLL_DIRS "${tb_qt_bin}" "${tb_gcc_dlls}" /usr/x86_64-w64-mingw32/lib)

# qt.conf makes the folder Qt's prefix: plugins come from beside the programs only, never from
# wherever Qt was built (whose image format plugins crash wine's loader when the monitor starts).
set(tb_qt_conf ${CMAKE_BINARY_DIR}/qt.conf)
file(WRITE ${tb_qt_conf} "[Paths]\r\nPrefix=.\r\n")
# The programs built here run from a folder laid out as the installed one, the offscreen platform
# added for the tests.
file(COPY ${TB_DEJAVU_SANS} ${tb_qt_conf} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
file(COPY ${tb_qt_prefix}/plugins/platforms/qwindows.dll ${tb_qt_prefix}/plugins/platforms/qoffscreen.dll
    DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/platforms)
file(COPY ${tb_qt_prefix}/plugins/styles/qwindowsvistastyle.dll DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/styles)

configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/README.txt.in ${CMAKE_BINARY_DIR}/README.txt NEWLINE_STYLE WIN32)
install(FILES ${CMAKE_BINARY_DIR}/README.txt ${TB_DEJAVU_SANS} ${tb_qt_conf} DESTINATION .)
# The font's licence as Debian's fonts-dejavu-core states it (kept here: minimal systems drop
# /usr/share/doc).
install(FILES ${CMAKE_CURRENT_LIST_DIR}/windows/DejaVuSans-LICENSE.txt DESTINATION .)
install(FILES ${tb_qt_prefix}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${tb_qt_prefix}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)

# Whatever programs the install rules above put in the folder, they and the plugins get the DLLs
# they load, read from their import tables; a DLL that can't be found fails the install.
install(CODE "
    set(TB_DLL_DIRS \"${TB_DLL_DIRS}\")
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${TB_MINGW_OBJDUMP}\")
")
install(CODE [[
    cmake_policy(SET CMP0057 NEW)
    set(tb_folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    file(GLOB tb_programs "${tb_folder}/*.exe")
    file(GLOB tb_plugins "${tb_folder}/platforms/*.dll" "${tb_folder}/styles/*.dll")
    # The import tables name DLLs in any case and the lookup goes by the lower case name, which
    # misses "Qt6Core.dll" here: those are found by hand and their own imports read in a next round.
    set(tb_by_name)
    foreach(dir IN LISTS TB_DLL_DIRS)
        file(GLOB dlls "${dir}/*.dll")
        list(APPEND tb_by_name ${dlls})
    endforeach()
    set(tb_deployed)
    set(tb_round_LIBRARIES)
    set(tb_round_MODULES ${tb_plugins})
    set(tb_round_EXECUTABLES ${tb_programs})
    while(tb_round_EXECUTABLES OR tb_round_MODULES OR tb_round_LIBRARIES)
        set(tb_inputs)
        foreach(kind EXECUTABLES MODULES LIBRARIES)
            if(tb_round_${kind})
                list(APPEND tb_inputs ${kind} ${tb_round_${kind}})
            endif()
        endforeach()
        file(GET_RUNTIME_DEPENDENCIES
            ${tb_inputs}
            DIRECTORIES ${TB_DLL_DIRS}
            RESOLVED_DEPENDENCIES_VAR tb_found
            UNRESOLVED_DEPENDENCIES_VAR tb_unresolved
            # The system's own DLLs are on every Windows machine.
            PRE_INCLUDE_REGEXES "^([Qq]t6|lib)"
            PRE_EXCLUDE_REGEXES ".*"
        )
        list(APPEND tb_deployed ${tb_found})
        set(tb_round_EXECUTABLES)
        set(tb_round_MODULES)
        set(tb_round_LIBRARIES)
        foreach(name IN LISTS tb_unresolved)
            set(path)
            foreach(candidate IN LISTS tb_by_name)
                get_filename_component(file "${candidate}" NAME)
                string(TOLOWER "${file}" file)
                if(file STREQUAL name)
                    set(path "${candidate}")
                    break()
                endif()
            endforeach()
            if(NOT path)
                message(FATAL_ERROR "${name} not found in ${TB_DLL_DIRS}")
            endif()
            if(NOT path IN_LIST tb_deployed)
                list(APPEND tb_deployed "${path}")
                list(APPEND tb_round_LIBRARIES "${path}")
            endif()
        endforeach()
    endwhile()
    list(REMOVE_DUPLICATES tb_deployed)
    file(INSTALL ${tb_deployed} DESTINATION "${tb_folder}")
]])
