# Installation: the program, its desktop entry, icons, AppStream metainfo and
# documents. The program keeps its data in the XDG data directory when its
# own directory is not writable, and copies its documents there on start.
include(GNUInstallDirs)
set(OV_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/src/resources/desktop)

install(TARGETS orvantis RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${OV_DESKTOP_DIR}/orvantis.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${OV_DESKTOP_DIR}/org.orvantis.Orvantis.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${OV_DESKTOP_DIR}/icons/orvantis-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME orvantis.png)
endforeach()
install(FILES ${OV_DESKTOP_DIR}/icons/orvantis.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/doc/keys.txt ${PROJECT_SOURCE_DIR}/doc/keys_ja.txt
              ${PROJECT_SOURCE_DIR}/doc/orvantis_LICENSE.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvantis)
