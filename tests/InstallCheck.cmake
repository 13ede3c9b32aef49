# cmake -DBUILD_DIR=... -DLIBDIR=lib/x86_64-linux-gnu -DVERSION=1.00 -P InstallCheck.cmake
string(RANDOM LENGTH 8 suffix)
set(prefix "${BUILD_DIR}/install-check-${suffix}")
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()

foreach(part
    bin/tovana bin/quillet
    ${LIBDIR}/tovana/libLumaro.so.1
    share/tovana/factory/Data/Org/ZQQMV.qmv share/tovana/factory/Exe/help/index.html
    share/applications/tovana.desktop share/metainfo/jp.tovana.Tovana.metainfo.xml
    share/icons/hicolor/scalable/apps/tovana.svg share/icons/hicolor/48x48/apps/tovana.png
    share/icons/hicolor/256x256/apps/tovana.png
    share/man/man1/tovana.1 share/man/man1/quillet.1)
  if(NOT EXISTS "${prefix}/${part}")
    file(REMOVE_RECURSE "${prefix}")
    message(FATAL_ERROR "not installed: ${part}")
  endif()
endforeach()

# Run with nothing of the build in the environment, so only the installed run path can find the library.
execute_process(COMMAND env -u LD_LIBRARY_PATH -u TOVANA_FACTORY_DIR ${prefix}/bin/tovana --version
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REMOVE_RECURSE "${prefix}")
if(NOT status EQUAL 0 OR NOT out MATCHES "${VERSION}")
  message(FATAL_ERROR "installed tovana --version: status ${status}, output '${out}' '${err}'")
endif()
message(STATUS "installed tovana --version: ${out}")
