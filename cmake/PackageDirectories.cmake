# Run by cpack on the staged tree just before it is packed: every directory becomes 0755, as
# Debian wants, whatever umask the builder has (cpack's own directories follow the umask).
file(GLOB_RECURSE _kinloom_staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(_path IN LISTS _kinloom_staged)
  if(IS_DIRECTORY "${_path}" AND NOT IS_SYMLINK "${_path}")
    file(CHMOD "${_path}" PERMISSIONS
      OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
