# ombrelith_resources: the form descriptions and images embedded in the program.
include(Embed)
file(GLOB _ombrelith_forms ${CMAKE_CURRENT_SOURCE_DIR}/forms/*.json)
file(GLOB _ombrelith_images ${CMAKE_CURRENT_SOURCE_DIR}/images/*.bmp)
list(SORT _ombrelith_forms)
list(SORT _ombrelith_images)
ombrelith_embed(ombrelith_resources Resources ${_ombrelith_forms} ${_ombrelith_images})
