# Settings every target of the project shares: warnings, Qt defines, sanitizers.
add_library(vamox_options INTERFACE)
target_compile_options(vamox_options INTERFACE -Wall -Wextra -Wno-missing-field-initializers)
if(DEFINED ENV{CI} AND NOT "$ENV{CI}" STREQUAL "" AND NOT "$ENV{CI}" STREQUAL "false")
  target_compile_options(vamox_options INTERFACE -Werror)
endif()
target_compile_definitions(vamox_options INTERFACE QT_DISABLE_DEPRECATED_BEFORE=0x060400)
if(VAMOX_SANITIZE)
  target_compile_options(vamox_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(vamox_options INTERFACE -fsanitize=address,undefined)
endif()
set(CMAKE_AUTOMOC ON)

# Precompiled headers: the Qt and standard headers nearly every file includes are parsed once per
# library and test executable instead of once per file (the machines have two cores). A test
# executable cannot take a library's: Qt Test defines its folder for each.
option(VAMOX_PCH "Precompile the Qt and standard headers most files include" ON)
set(VAMOX_PCH_CORE <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QObject> <QSet> <QString> <QStringList>
  <QTimer> <algorithm> <atomic> <functional> <memory> <mutex> <optional> <vector>)
set(VAMOX_PCH_GUI ${VAMOX_PCH_CORE} <QAction> <QApplication> <QComboBox> <QKeyEvent> <QLabel> <QLineEdit>
  <QMenu> <QMouseEvent> <QPushButton> <QToolButton> <QWidget>)
# vamox_pch(<target> CORE|GUI [more headers...])
function(vamox_pch target layer)
  if(VAMOX_PCH)
    target_precompile_headers(${target} PRIVATE ${VAMOX_PCH_${layer}} ${ARGN})
  endif()
endfunction()
