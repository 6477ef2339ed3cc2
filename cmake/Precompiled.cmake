# Precompiled Qt headers. Most of a compile here is spent reading Qt's
# headers, so a few precompiled sets are built once per build folder and
# every target reuses one of them:
#   vilaron_pch_core     QtCore and the standard library
#   vilaron_pch_widgets  the same plus the widgets the dialogs use
# (tests/CMakeLists.txt adds two more with GoogleTest for the tests.)
# A target gets the widgets set only when it could include Qt's widgets
# anyway, so a lower layer still cannot use a widget without the build
# refusing it.
# VILARON_PCH=OFF on the command line turns all of it off.

option(VILARON_PCH "Precompile the Qt headers every target includes" ON)

set(VILARON_PCH_CORE_HEADERS
  <algorithm> <array> <functional> <memory> <optional> <vector>
  <QAbstractItemModel> <QByteArray> <QDateTime> <QDir> <QElapsedTimer>
  <QFile> <QFileInfo> <QHash> <QList> <QMap> <QObject> <QPointer> <QSet>
  <QString> <QStringList> <QTimer> <QVariant>)
set(VILARON_PCH_WIDGETS_HEADERS ${VILARON_PCH_CORE_HEADERS}
  <QAbstractItemView> <QApplication> <QCheckBox> <QComboBox> <QDialog>
  <QGridLayout> <QGroupBox> <QHBoxLayout> <QHeaderView> <QLabel> <QLineEdit>
  <QPushButton> <QStyledItemDelegate> <QTableView> <QVBoxLayout> <QWidget>)

# One precompiled set: an object library of one empty source, linked to the
# Qt modules whose headers it holds. It takes the compile options in force
# where it is made, so it is made where its users are.
function(vilaron_add_pch name)
  cmake_parse_arguments(P "" "" "HEADERS;LIBS" ${ARGN})
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp)
  if(NOT EXISTS ${source})
    file(WRITE ${source} "// The precompiled headers' own translation unit.\n")
  endif()
  add_library(${name} OBJECT ${source})
  target_link_libraries(${name} PRIVATE ${P_LIBS})
  target_precompile_headers(${name} PRIVATE ${P_HEADERS})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF VILARON_PCH OFF)
endfunction()

# Every target made in dir and below it.
function(vilaron_targets_below dir out)
  get_property(found DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    vilaron_targets_below(${sub} more)
    list(APPEND found ${more})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Which Qt headers a target can include: "widgets", "core" or "" for none.
# The Qt modules it links itself, and those its libraries pass on publicly
# (a private link passes on no headers).
function(vilaron_qt_headers_of target out)
  set(kind "")
  set(seen)
  get_target_property(pending ${target} LINK_LIBRARIES)
  while(pending)
    list(POP_FRONT pending item)
    if(item MATCHES "^\\$<LINK_ONLY:" OR item IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${item})
    if(item STREQUAL "Qt6::Widgets")
      set(kind widgets)
      break()
    elseif(item MATCHES "^Qt6::")
      set(kind core)
    elseif(TARGET ${item})
      get_target_property(imported ${item} IMPORTED)
      get_target_property(passed ${item} INTERFACE_LINK_LIBRARIES)
      if(NOT imported AND passed)
        list(APPEND pending ${passed})
      endif()
    endif()
  endwhile()
  set(${out} ${kind} PARENT_SCOPE)
endfunction()

# Gives every compiled target of the project a precompiled set. A target may
# name its set in its VILARON_PCH property (the tests do), or OFF for none;
# the others are chosen by the Qt headers they can include.
function(vilaron_precompile_all)
  if(NOT VILARON_PCH)
    return()
  endif()
  vilaron_targets_below(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|OBJECT_LIBRARY|SHARED_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    get_target_property(chosen ${target} VILARON_PCH)
    # Qt's resource objects are generated code that includes nothing.
    if(chosen STREQUAL "OFF" OR target MATCHES "_resources_[0-9]+$")
      continue()
    elseif(NOT chosen)
      vilaron_qt_headers_of(${target} kind)
      if(NOT kind)
        continue()
      endif()
      set(chosen vilaron_pch_${kind})
    endif()
    target_precompile_headers(${target} REUSE_FROM ${chosen})
  endforeach()
endfunction()

if(VILARON_PCH)
  vilaron_add_pch(vilaron_pch_core HEADERS ${VILARON_PCH_CORE_HEADERS} LIBS Qt6::Core)
  vilaron_add_pch(vilaron_pch_widgets HEADERS ${VILARON_PCH_WIDGETS_HEADERS} LIBS Qt6::Widgets)
endif()
