#include <gtest/gtest.h>
#include <objbase.h>

// The program initialises COM apartment-threaded on its one UI thread before
// it creates any component; the tests run on the same kind of thread.
int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
