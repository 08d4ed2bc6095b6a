__declspec(dllexport) int planted = 1;
