# Lays out the installation: Korvane.exe, Data\ from the repository's data/, Help\ from help/.
# A script rather than `cmake -E copy_directory`, because help/ may not exist in a checkout
# (git keeps no empty folders) and the installation still needs its Help folder.
file(MAKE_DIRECTORY ${DEST}/Data ${DEST}/Help)
file(COPY ${EXE} DESTINATION ${DEST})
foreach(pair "${DATA};Data" "${HELP};Help")
  list(GET pair 0 from)
  list(GET pair 1 to)
  if(IS_DIRECTORY ${from})
    file(COPY ${from}/ DESTINATION ${DEST}/${to})
  endif()
endforeach()
