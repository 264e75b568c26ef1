#include "platform/ole/ClassRegistry.h"
#include "platform/ole/ComPtr.h"
#include "platform/ole/Variant.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ole {
namespace {

class ClassRegistryTest : public testing::Test {
protected:
  void TearDown() override {
    for (const char* progId : {"Test.Answer.1", "Test.Missing.1", "Test.NoEntry.1"}) {
      ClassRegistry::Instance().UnregisterFactory(progId);
      ClassRegistry::Instance().UnregisterLibrary(progId);
    }
  }

  static std::filesystem::path WriteRegistry(const std::string& text) {
    const auto path = std::filesystem::path(testing::TempDir()) / "components.list";
    std::ofstream(path) << text;
    return path;
  }

  static std::int32_t AnswerOf(IDispatch* object) {
    const OLECHAR* name = u"Answer";
    DISPID id = 0;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_SYSTEM_DEFAULT, &id), S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VariantHolder result;
    EXPECT_EQ(object->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYGET, &none, result.get(),
                             nullptr, nullptr),
              S_OK);
    return result->lVal;
  }
};

TEST_F(ClassRegistryTest, LoadsAComponentLibraryNamedInARegistryFile) {
  const std::filesystem::path library(TEST_COMPONENT_PATH);
  const auto registry = WriteRegistry("# components of the test\n\n; and a comment\nnot an entry\n"
                                      "Test.Answer.1 = " +
                                      library.string() + "\n");
  ASSERT_EQ(ClassRegistry::Instance().LoadRegistryFile(registry.string()), S_OK);

  ComPtr<IDispatch> object;
  ASSERT_EQ(ClassRegistry::Instance().CreateInstance("TEST.ANSWER.1", IID_IDispatch, object.ReceiveVoid()), S_OK)
      << "ProgIDs are compared without regard to letter case";
  EXPECT_EQ(AnswerOf(object.get()), 42);
}

TEST_F(ClassRegistryTest, TakesRelativeLibraryPathsFromTheRegistryFolder) {
  const std::filesystem::path library(TEST_COMPONENT_PATH);
  const auto registry = library.parent_path() / "relative.list";
  std::ofstream(registry) << "Test.Answer.1=" << library.filename().string() << "\n";
  ASSERT_EQ(ClassRegistry::Instance().LoadRegistryFile(registry.string()), S_OK);
  ComPtr<IDispatch> object;
  EXPECT_EQ(ClassRegistry::Instance().CreateInstance("Test.Answer.1", IID_IDispatch, object.ReceiveVoid()), S_OK);
}

TEST_F(ClassRegistryTest, ReportsWhyAnObjectCannotBeCreated) {
  auto& registry = ClassRegistry::Instance();
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(registry.CreateInstance("Test.Unregistered.1", IID_IDispatch, &object), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(object, nullptr);

  registry.RegisterLibrary("Test.Missing.1", "/nonexistent/libmissing.so");
  EXPECT_EQ(registry.CreateInstance("Test.Missing.1", IID_IDispatch, &object), CO_E_DLLNOTFOUND);

  registry.RegisterLibrary("Test.NoEntry.1", "libm.so.6");
  EXPECT_EQ(registry.CreateInstance("Test.NoEntry.1", IID_IDispatch, &object), CO_E_ERRORINDLL);

  EXPECT_EQ(registry.LoadRegistryFile("/nonexistent/components.list"), E_FAIL);
  EXPECT_EQ(registry.CreateInstance("Test.Answer.1", IID_IDispatch, nullptr), E_POINTER);
}

TEST_F(ClassRegistryTest, AnInProcessFactoryTakesPrecedence) {
  auto& registry = ClassRegistry::Instance();
  registry.RegisterLibrary("Test.Answer.1", "/nonexistent/libmissing.so");
  int calls = 0;
  registry.RegisterFactory("Test.Answer.1", [&](const IID&, void** object) {
    ++calls;
    *object = nullptr;
    return E_NOTIMPL;
  });
  void* object = nullptr;
  EXPECT_EQ(registry.CreateInstance("Test.Answer.1", IID_IDispatch, &object), E_NOTIMPL);
  EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace ole
