# Fails the build when the link map MAP shows an object taken from the POSIX threads library.
# The setup program supplies the few thread functions it needs itself; an object from the
# library would bring a second implementation of the same mutexes.
file(STRINGS "${MAP}" threads_objects REGEX "^[^ ].*libpthread\\.a\\(")
if(threads_objects)
    list(GET threads_objects 0 first)
    message(FATAL_ERROR "The setup program links an object of the threads library: ${first}\n"
                        "Add the missing thread function to setup/startup/runtime_threads.cpp.")
endif()
