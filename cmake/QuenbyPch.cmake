# Qt's most used headers, precompiled once per kind of compile and shared by
# every target that uses Qt. A precompiled header is only taken by compiles
# with the same code-generation flags, so there is one for libraries
# (-fPIC) and one for programs (-fPIE), each plain and sanitized.
option(QUENBY_PCH "Precompile Qt's headers for the targets that use Qt" ON)

set(QUENBY_QT_PCH_HEADERS
  <QtCore/QObject> <QtCore/QString> <QtCore/QStringList> <QtCore/QList> <QtCore/QTimer> <QtCore/QPointer>
  <QtGui/QColor> <QtGui/QFont> <QtGui/QFontMetrics> <QtGui/QImage> <QtGui/QPainter> <QtGui/QKeyEvent>
  <QtWidgets/QWidget> <QtWidgets/QApplication>
  <algorithm> <functional> <map> <memory> <optional> <string> <string_view> <vector>)

function(quenby_qt_pch_host kind suffix)
  set(host quenby_qt_pch_${kind}${suffix})
  if(TARGET ${host})
    return()
  endif()
  set(src ${CMAKE_BINARY_DIR}/pch/${host}.cpp)
  file(WRITE ${src} "int quenby_qt_pch_anchor_${kind}${suffix}() { return 0; }\n")
  if(kind STREQUAL "exe")
    file(APPEND ${src} "int main() { return 0; }\n")
    add_executable(${host} ${src})
  else()
    add_library(${host} STATIC ${src})
  endif()
  target_link_libraries(${host} PRIVATE Qt6::Widgets)
  if(suffix STREQUAL "_san")
    target_compile_options(${host} PRIVATE ${QUENBY_SAN_FLAGS})
    target_link_options(${host} PRIVATE ${QUENBY_SAN_FLAGS})
  endif()
  target_precompile_headers(${host} PRIVATE ${QUENBY_QT_PCH_HEADERS})
endfunction()

# Lets target compile with the shared precompiled header of its kind.
function(quenby_use_qt_pch target)
  if(NOT QUENBY_PCH OR QUENBY_FUZZ OR NOT TARGET ${target})
    return()
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(kind exe)
  else()
    set(kind lib)
  endif()
  set(suffix "")
  if(target MATCHES "_san$")
    set(suffix _san)
  endif()
  quenby_qt_pch_host(${kind} "${suffix}")
  target_precompile_headers(${target} REUSE_FROM quenby_qt_pch_${kind}${suffix})
endfunction()
