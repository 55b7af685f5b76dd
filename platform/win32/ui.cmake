# The Win32 backend of ombrelith_platform_ui (included by platform/ui.cmake when
# OMBRELITH_BACKEND is win32).
target_sources(ombrelith_platform_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Win32Backend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32PaintBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Support.cpp
)
target_link_libraries(ombrelith_platform_ui PUBLIC comctl32 gdi32 user32)
