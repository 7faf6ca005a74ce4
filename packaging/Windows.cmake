# Windows: one folder that runs as it is, rondelay.exe with everything it needs beside it (the
# Qt and MinGW DLLs it imports, Qt's platform and style plugins, Qt's Japanese texts), packed as
# an installer, rondelay-VERSION-win64.exe, made by NSIS, and as a ZIP of the same files.

install(TARGETS rondelay RUNTIME DESTINATION .)

# Where the DLLs come from: Qt for Windows (RONDELAY_WINDOWS_QT, from scripts/windows-qt) and
# the compiler's own runtime.
get_target_property(qt_core Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin "${qt_core}" DIRECTORY)
get_filename_component(qt_prefix "${qt_bin}" DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
                OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(gcc_runtime "${libgcc}" DIRECTORY)
set(mingw_runtime ${RONDELAY_MINGW_ROOT}/lib)

set(plugins platforms/qwindows.dll styles/qwindowsvistastyle.dll)
foreach(plugin ${plugins})
    get_filename_component(folder ${plugin} DIRECTORY)
    install(FILES ${qt_prefix}/plugins/${plugin} DESTINATION ${folder})
endforeach()

# The DLLs it needs, found from the imports (WindowsDlls.cmake).
list(TRANSFORM plugins PREPEND ${qt_prefix}/plugins/ OUTPUT_VARIABLE plugin_files)
install(CODE "
    set(RONDELAY_DLL_FOLDERS ${qt_bin} ${gcc_runtime} ${mingw_runtime})
    set(RONDELAY_PLUGIN_FILES ${plugin_files})
    set(RONDELAY_DLL_LINKS ${CMAKE_CURRENT_BINARY_DIR}/dll-names)
    set(RONDELAY_OBJDUMP ${CMAKE_OBJDUMP})
    set(RONDELAY_STRIP ${CMAKE_STRIP})
")
install(SCRIPT WindowsDlls.cmake)

# Qt finds its plugins beside the program, and its Japanese texts in translations/.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/qt.conf "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qt.conf DESTINATION .)
find_file(RONDELAY_QT_JAPANESE qtbase_ja.qm PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH)
if(RONDELAY_QT_JAPANESE)
    install(FILES ${RONDELAY_QT_JAPANESE} DESTINATION translations)
endif()

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_FILE_NAME rondelay-${CPACK_PACKAGE_VERSION}-win64)
set(CPACK_PACKAGE_VENDOR Rondelay)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Rondelay)
# The installer keeps its own record under Software\Rondelay\Rondelay Setup and the uninstaller
# deletes it; the user's settings, under Software\Rondelay\Rondelay, stay.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Rondelay Setup")
set(CPACK_PACKAGE_EXECUTABLES rondelay Rondelay)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME Rondelay)
set(CPACK_NSIS_PACKAGE_NAME Rondelay)
set(CPACK_NSIS_INSTALLED_ICON_NAME rondelay.exe)
set(CPACK_NSIS_MUI_ICON ${CMAKE_CURRENT_SOURCE_DIR}/icons/rondelay.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_CURRENT_SOURCE_DIR}/icons/rondelay.ico)
set(CPACK_NSIS_URL_INFO_ABOUT "${RONDELAY_HOMEPAGE}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer for a 64-bit program: NSIS makes 32-bit ones unless told, which a 64-bit
# Windows runs only through its 32-bit layer (and Debian's Wine, without wine32, not at all,
# while still answering 0), and which would put the program under Program Files (x86).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
