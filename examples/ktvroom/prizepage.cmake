# The prize page: the win-prize ticker fed by a scripted stream of wins, and the mic bonus
# popup. Its pictures are drawn at build time and compiled in.
target_sources(ktvroom PRIVATE prizepage.h prizepage.cpp)

add_executable(ktvroom_prizepictures prizepictures.cpp)
target_link_libraries(ktvroom_prizepictures PRIVATE Qt6::Gui)

set(prize_pictures_dir "${CMAKE_CURRENT_BINARY_DIR}/prizepictures")
# The host pictures the library loads from ":/pics/".
set(prize_host_pictures luckbg.png luckbg_red.png luckgold.png bonusbg.png)
# The page's own: gift thumbnails, the notice and bonus item pictures, button faces.
set(prize_page_pictures rose.png star.png heart.png car.png notice.png mic.png up.png down.png close.png)
list(TRANSFORM prize_host_pictures PREPEND "${prize_pictures_dir}/")
list(TRANSFORM prize_page_pictures PREPEND "${prize_pictures_dir}/")

add_custom_command(
    OUTPUT ${prize_host_pictures} ${prize_page_pictures}
    COMMAND ktvroom_prizepictures "${prize_pictures_dir}"
    DEPENDS ktvroom_prizepictures
    COMMENT "Drawing the prize page's pictures"
    VERBATIM)

qt_add_resources(ktvroom prizehostpictures PREFIX "/pics" BASE "${prize_pictures_dir}" FILES ${prize_host_pictures})
qt_add_resources(ktvroom prizepagepictures PREFIX "/prizepage" BASE "${prize_pictures_dir}"
    FILES ${prize_page_pictures})
