# Copies the shipped program-folder files next to the executable.  Files the
# player writes while it runs (settings, data lists, presets, playlists) are
# copied only when missing, so a rebuild never overwrites what the user changed.
file(GLOB_RECURSE files RELATIVE "${SOURCE}" "${SOURCE}/*")
set(user_owned "^(settings\\.ini|eqpreset\\.ini|Data/|Playlists/)")
foreach(rel IN LISTS files)
    set(target "${DEST}/${rel}")
    if(rel MATCHES "${user_owned}" AND EXISTS "${target}")
        continue()
    endif()
    get_filename_component(dir "${target}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY_FILE "${SOURCE}/${rel}" "${target}" ONLY_IF_DIFFERENT)
endforeach()
foreach(sub Data Playlists Skins Languages)
    file(MAKE_DIRECTORY "${DEST}/${sub}")
endforeach()
