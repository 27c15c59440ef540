# Empties and recreates each test's home; the runtime folder must be private or Qt complains.
file(REMOVE_RECURSE ${ROOT})
foreach(home IN LISTS HOMES)
  foreach(sub data config cache runtime tmp)
    file(MAKE_DIRECTORY ${home}/${sub})
  endforeach()
  file(CHMOD ${home}/runtime PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endforeach()
