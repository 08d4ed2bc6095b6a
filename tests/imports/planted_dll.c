/* A stand-in planted beside the program under the name of a DLL it loads on first use. */
__declspec(dllexport) int planted = 1;
