# -DTANDREL_SANITIZE=address,undefined (or thread, or any list -fsanitize= takes) builds the whole
# tree with those sanitizers. Nothing recovers: the first finding ends the program with an error.
set(TANDREL_SANITIZE "" CACHE STRING "Sanitizers to build everything with, as -fsanitize= takes them")

set(TANDREL_SANITIZE_FLAGS -fno-omit-frame-pointer -fno-sanitize-recover=all)

# Builds one target with the given sanitizers, whatever the rest of the tree uses.
function(tandrel_sanitize target sanitizers)
  target_compile_options(${target} PRIVATE -fsanitize=${sanitizers} ${TANDREL_SANITIZE_FLAGS})
  target_link_options(${target} PRIVATE -fsanitize=${sanitizers} ${TANDREL_SANITIZE_FLAGS})
endfunction()

if(TANDREL_SANITIZE)
  add_compile_options(-fsanitize=${TANDREL_SANITIZE} ${TANDREL_SANITIZE_FLAGS})
  add_link_options(-fsanitize=${TANDREL_SANITIZE} ${TANDREL_SANITIZE_FLAGS})
endif()
