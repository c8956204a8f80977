// A library that a stand-in add-in needs at load time (addin_with_dependency.cpp), placed only beside it.
extern "C" __declspec(dllexport) int LqDependencyAnswer() { return 42; }
