# Qt Data Visualization for the 3D map view: Qt6::DataVisualization.
# Debian 12's qt6-datavisualization-dev ships a CMake package that asks for the Qt Qml and Quick
# packages (qt6-declarative-dev) although the widgets API needs neither at build time. Without
# them the library and its headers are imported directly.
find_package(Qt6 REQUIRED COMPONENTS Gui OpenGL)
find_package(Qt6 QUIET COMPONENTS DataVisualization)
if(NOT TARGET Qt6::DataVisualization)
    find_path(KORDANA_DATAVIS_INCLUDE_DIR NAMES Q3DSurface
              HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_HEADERS}/QtDataVisualization)
    find_library(KORDANA_DATAVIS_LIBRARY NAMES Qt6DataVisualization
                 HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBS})
    if(NOT KORDANA_DATAVIS_INCLUDE_DIR OR NOT KORDANA_DATAVIS_LIBRARY)
        message(FATAL_ERROR "Qt Data Visualization not found (Debian: qt6-datavisualization-dev)")
    endif()
    add_library(Qt6::DataVisualization SHARED IMPORTED)
    set_target_properties(Qt6::DataVisualization PROPERTIES
        IMPORTED_LOCATION ${KORDANA_DATAVIS_LIBRARY}
        INTERFACE_INCLUDE_DIRECTORIES ${KORDANA_DATAVIS_INCLUDE_DIR}
        INTERFACE_LINK_LIBRARIES "Qt6::Gui;Qt6::OpenGL")
endif()
