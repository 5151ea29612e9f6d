# Writes a C++ file of lazy import stubs for one system DLL. For every function that the
# toolchain's import library <IMPORT_LIB> knows, the file defines the import slot the
# compiler calls through (__imp__Name@N) and the direct stub (_Name@N), so the ordinary
# import library is never linked for that DLL. The slot first points to a binder that loads
# the DLL, looks the function up, stores it in the slot and jumps to it; later calls go
# straight through. Each function sits in its own sections, so --gc-sections keeps only
# the ones the program uses. Run as a script:
#   cmake -DNM=... -DIMPORT_LIB=libuser32.a -DDLL=user32 -DOUTPUT=lazy_user32.cpp
#         -P LazyImports.cmake
execute_process(COMMAND ${NM} -g ${IMPORT_LIB} OUTPUT_VARIABLE symbols ERROR_QUIET
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot list ${IMPORT_LIB}")
endif()
# i686 symbols carry one more underscore: __imp__MessageBoxA@16 is MessageBoxA@16.
string(REGEX MATCHALL "I __imp__[A-Za-z0-9_@]+" imports "${symbols}")
list(TRANSFORM imports REPLACE "^I __imp__" "")
list(REMOVE_DUPLICATES imports)
list(SORT imports)

set(stubs "")
set(index 0)
foreach(symbol ${imports})
    string(REGEX REPLACE "@[0-9]+$" "" name "${symbol}") # the DLL exports it without @N
    string(APPEND stubs "
    .section .data$lazy_${DLL}_${index},\"w\"
    .globl __imp__${symbol}
    .p2align 2
__imp__${symbol}:
    .long .Lbind_${DLL}_${index}
    .section .text$lazy_${DLL}_${index},\"x\"
    .globl _${symbol}
_${symbol}:
    jmp *__imp__${symbol}
.Lbind_${DLL}_${index}:
    pushl $__imp__${symbol}
    pushl $.Lname_${DLL}_${index}
    jmp .Lbind_${DLL}
.Lname_${DLL}_${index}:
    .asciz \"${name}\"
")
    math(EXPR index "${index} + 1")
endforeach()

file(WRITE ${OUTPUT}.new "// Written by launcher/LazyImports.cmake from ${IMPORT_LIB}; do not edit.
// Lazy import stubs of ${DLL}.dll: see launcher/LazyImport.cpp.
asm(R\"(
    .section .text$lazy_${DLL},\"x\"
.Lbind_${DLL}:
    pushl $.Ldll_${DLL}
    call _LazyImportResolve
    addl $12, %esp
    jmp *%eax
.Ldll_${DLL}:
    .asciz \"${DLL}.dll\"
${stubs}
    .text
)\");
")
# Rewrite only on change, so an unchanged toolchain causes no rebuild.
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUTPUT}.new ${OUTPUT})
file(REMOVE ${OUTPUT}.new)
