# ombrelith_platform_ui: the window-system classes (application, forms, controls, menus, the
# form loader) over the backend chosen by OMBRELITH_BACKEND. The embedded form descriptions
# and images come from ombrelith_resources (resources/forms.cmake).
add_library(ombrelith_platform_ui STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/Application.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Bitmap.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Controls.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/FormLoader.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Forms.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Menus.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Screen.cpp
)
target_include_directories(ombrelith_platform_ui PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(ombrelith_platform_ui
  PUBLIC ombrelith_platform_base ombrelith_resources
  PRIVATE nlohmann_json_headers)

if(OMBRELITH_BACKEND STREQUAL "qt")
  find_package(Qt6 REQUIRED COMPONENTS Widgets GLOBAL)
  target_sources(ombrelith_platform_ui PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/qt/QtBackend.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/qt/QtCanvas.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/qt/QtForm.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/qt/QtWidgets.cpp
  )
  target_link_libraries(ombrelith_platform_ui PUBLIC Qt6::Widgets)
elseif(OMBRELITH_BACKEND STREQUAL "win32")
  # The Win32 backend's own fragment adds its sources to ombrelith_platform_ui.
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/win32/ui.cmake)
    include(${CMAKE_CURRENT_SOURCE_DIR}/win32/ui.cmake)
  endif()
else()
  message(FATAL_ERROR "OMBRELITH_BACKEND must be qt or win32, not ${OMBRELITH_BACKEND}")
endif()
