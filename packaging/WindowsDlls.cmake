# Run at install time (install(SCRIPT)): installs beside rondelay.exe the DLLs that it and its
# plugins import, and those that each of them imports in turn, as found in RONDELAY_DLL_FOLDERS
# (Qt for Windows and the compiler's runtime), without their symbols. What is in none of those
# folders is the system's own.
#
# CMake looks an import up by its name in lower case, as Windows compares names, but the
# folders are on Linux, where Qt6Core.dll is not qt6core.dll: so it looks through links named
# in lower case, and the files behind them are installed.
set(links ${CMAKE_CURRENT_LIST_DIR}/dll-names)
if(DEFINED RONDELAY_DLL_LINKS)
    set(links ${RONDELAY_DLL_LINKS})
endif()
file(REMOVE_RECURSE ${links})
file(MAKE_DIRECTORY ${links})
foreach(folder ${RONDELAY_DLL_FOLDERS})
    file(GLOB dlls ${folder}/*.dll)
    foreach(dll ${dlls})
        get_filename_component(name ${dll} NAME)
        string(TOLOWER ${name} name)
        if(NOT EXISTS ${links}/${name})
            file(CREATE_LINK ${dll} ${links}/${name} SYMBOLIC)
        endif()
    endforeach()
endforeach()

set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${RONDELAY_OBJDUMP})
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES ${CMAKE_INSTALL_PREFIX}/rondelay.exe
    MODULES ${RONDELAY_PLUGIN_FILES}
    DIRECTORIES ${links}
    RESOLVED_DEPENDENCIES_VAR found
    UNRESOLVED_DEPENDENCIES_VAR system)
foreach(link ${found})
    file(REAL_PATH ${link} dll)
    file(INSTALL ${dll} DESTINATION ${CMAKE_INSTALL_PREFIX})
    get_filename_component(name ${dll} NAME)
    execute_process(COMMAND ${RONDELAY_STRIP} --strip-unneeded ${CMAKE_INSTALL_PREFIX}/${name})
endforeach()
file(REMOVE_RECURSE ${links})
