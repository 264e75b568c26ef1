#include "platform/ole/ComObject.h"
#include "platform/ole/ComPtr.h"
#include "platform/ole/SafeArray.h"
#include "platform/ole/Variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ole {
namespace {

std::string TextOf(const VARIANT& value) {
  VariantHolder text;
  const HRESULT status = VariantChangeType(text.get(), &value, VT_BSTR);
  EXPECT_EQ(status, S_OK);
  return Succeeded(status) ? Utf8FromBstr(text->bstrVal) : std::string("<failed>");
}

VARIANT Of(VARTYPE vt, auto setter) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  setter(v);
  return v;
}

struct ToTextCase {
  const char* name;
  VARIANT value;
  const char* text;
};

TEST(VariantConversion, ValuesBecomeTextByTheAutomationRules) {
  const ToTextCase cases[] = {
      {"positive long", MakeI4(42), "42"},
      {"negative long", MakeI4(-7), "-7"},
      {"smallest short", MakeI2(-32768), "-32768"},
      {"byte", Of(VT_UI1, [](VARIANT& v) { v.bVal = 255; }), "255"},
      {"largest ulong", Of(VT_UI4, [](VARIANT& v) { v.ulVal = 4294967295u; }), "4294967295"},
      {"true", MakeBool(true), "-1"},
      {"false", MakeBool(false), "0"},
      {"whole real", MakeR8(90), "90"},
      {"twelve and a half", MakeR8(12.5), "12.5"},
      {"a quarter", MakeR8(0.25), "0.25"},
      {"negative real", MakeR8(-30.5), "-30.5"},
      {"a third keeps 15 digits", MakeR8(1.0 / 3.0), "0.333333333333333"},
      {"15 whole digits stay plain", MakeR8(123456789012345.0), "123456789012345"},
      {"16 whole digits switch to an exponent", MakeR8(1e15), "1E+15"},
      {"large real", MakeR8(1.5e20), "1.5E+20"},
      {"small real stays plain down to 1e-5", MakeR8(-0.00001), "-0.00001"},
      {"smaller real switches to an exponent", MakeR8(1.5e-7), "1.5E-07"},
      {"zero", MakeR8(0.0), "0"},
      {"negative zero", MakeR8(-0.0), "0"},
      {"single keeps 7 digits", Of(VT_R4, [](VARIANT& v) { v.fltVal = 0.1f; }), "0.1"},
      {"empty", Of(VT_EMPTY, [](VARIANT&) {}), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextOf(c.value), c.text);
  }
}

struct FromTextCase {
  const char* text;
  VARTYPE wanted;
  HRESULT status;
  double expected;
};

double NumberOf(const VARIANT& v) {
  switch (v.vt) {
  case VT_I2:
    return v.iVal;
  case VT_I4:
    return v.lVal;
  case VT_UI1:
    return v.bVal;
  case VT_UI2:
    return v.uiVal;
  case VT_UI4:
    return v.ulVal;
  case VT_R4:
    return v.fltVal;
  case VT_R8:
    return v.dblVal;
  case VT_BOOL:
    return v.boolVal;
  default:
    return std::nan("");
  }
}

TEST(VariantConversion, TextBecomesANumberOrFailsWithTheRightCode) {
  const FromTextCase cases[] = {
      {"123", VT_I4, S_OK, 123},
      {"  42  ", VT_I4, S_OK, 42},
      {"-2147483648", VT_I4, S_OK, -2147483648.0},
      {"2147483648", VT_I4, DISP_E_OVERFLOW, 0},
      {"99999999999999999999999", VT_I4, DISP_E_OVERFLOW, 0},
      {"45.5", VT_I4, S_OK, 46},
      {"44.5", VT_I4, S_OK, 44},
      {"-3", VT_I2, S_OK, -3},
      {"70000", VT_I2, DISP_E_OVERFLOW, 0},
      {"-1", VT_UI1, DISP_E_OVERFLOW, 0},
      {"255", VT_UI1, S_OK, 255},
      {"4294967295", VT_UI4, S_OK, 4294967295.0},
      {"1e3", VT_R8, S_OK, 1000},
      {"12.5", VT_R8, S_OK, 12.5},
      {"+.5", VT_R8, S_OK, 0.5},
      {"1e999", VT_R8, DISP_E_OVERFLOW, 0},
      {"abc", VT_I4, DISP_E_TYPEMISMATCH, 0},
      {"", VT_I4, DISP_E_TYPEMISMATCH, 0},
      {"-", VT_I4, DISP_E_TYPEMISMATCH, 0},
      {"12,5", VT_R8, DISP_E_TYPEMISMATCH, 0},
      {"1e", VT_R8, DISP_E_TYPEMISMATCH, 0},
      {"inf", VT_R8, DISP_E_TYPEMISMATCH, 0},
      {"picture.mdw", VT_I4, DISP_E_TYPEMISMATCH, 0},
      {"True", VT_BOOL, S_OK, VARIANT_TRUE},
      {"false", VT_BOOL, S_OK, VARIANT_FALSE},
      {"7", VT_BOOL, S_OK, VARIANT_TRUE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\" to type " + std::to_string(c.wanted));
    VariantHolder source(MakeText(c.text));
    VariantHolder result;
    EXPECT_EQ(VariantChangeType(result.get(), source.get(), c.wanted), c.status);
    if (c.status == S_OK) {
      EXPECT_EQ(result->vt, c.wanted);
      EXPECT_DOUBLE_EQ(NumberOf(result.value()), c.expected);
    } else {
      EXPECT_EQ(result->vt, VT_EMPTY) << "a failed conversion leaves the destination alone";
    }
  }
}

TEST(VariantConversion, NumbersConvertBetweenTypesWithRangeChecks) {
  struct Case {
    const char* name;
    VARIANT value;
    VARTYPE wanted;
    HRESULT status;
    double expected;
  };
  const Case cases[] = {
      {"long to short out of range", MakeI4(70000), VT_I2, DISP_E_OVERFLOW, 0},
      {"negative long to ulong", MakeI4(-1), VT_UI4, DISP_E_OVERFLOW, 0},
      {"real rounds half to even", MakeR8(2.5), VT_I4, S_OK, 2},
      {"real rounds half to even upward", MakeR8(-3.5), VT_I4, S_OK, -4},
      {"real too large for a long", MakeR8(1e10), VT_I4, DISP_E_OVERFLOW, 0},
      {"not a number", MakeR8(std::nan("")), VT_I4, DISP_E_OVERFLOW, 0},
      {"true as a long", MakeBool(true), VT_I4, S_OK, -1},
      {"long as a boolean", MakeI4(5), VT_BOOL, S_OK, VARIANT_TRUE},
      {"real too large for a single", MakeR8(1e300), VT_R4, DISP_E_OVERFLOW, 0},
      {"empty is zero", Of(VT_EMPTY, [](VARIANT&) {}), VT_I4, S_OK, 0},
      {"null has no number", Of(VT_NULL, [](VARIANT&) {}), VT_I4, DISP_E_TYPEMISMATCH, 0},
      {"error has no text", MakeError(E_FAIL), VT_BSTR, DISP_E_TYPEMISMATCH, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    VARIANT source = c.value;
    VariantHolder result;
    EXPECT_EQ(VariantChangeType(result.get(), &source, c.wanted), c.status);
    if (c.status == S_OK && c.wanted != VT_BSTR) {
      EXPECT_DOUBLE_EQ(NumberOf(result.value()), c.expected);
    }
  }
}

TEST(VariantConversion, ReferencesAreFollowedToTheirValue) {
  std::int32_t number = 1234;
  VARIANT byRef;
  VariantInit(&byRef);
  byRef.vt = VT_BYREF | VT_I4;
  byRef.plVal = &number;
  EXPECT_EQ(TextOf(byRef), "1234");

  VARIANT inner = MakeR8(2.75);
  VARIANT outer;
  VariantInit(&outer);
  outer.vt = VT_BYREF | VT_VARIANT;
  outer.pvarVal = &inner;
  VARIANT outermost;
  VariantInit(&outermost);
  outermost.vt = VT_BYREF | VT_VARIANT;
  outermost.pvarVal = &outer;
  EXPECT_EQ(TextOf(outermost), "2.75");
  EXPECT_EQ(VariantDeref(&outermost), &inner);
}

TEST(VariantConversion, ConvertsInPlace) {
  VARIANT value = MakeText("-17");
  ASSERT_EQ(VariantChangeType(&value, &value, VT_I4), S_OK);
  EXPECT_EQ(value.vt, VT_I4);
  EXPECT_EQ(value.lVal, -17);
}

TEST(VariantText, RealToTextHandlesTheEdges) {
  EXPECT_EQ(RealToText(0.1 + 0.2), "0.3");
  EXPECT_EQ(RealToText(999999999999999.9), "1E+15");
  EXPECT_EQ(RealToText(-1e-300), "-1E-300");
  EXPECT_EQ(RealToText(1000000), "1000000");
  EXPECT_EQ(RealToText(std::numeric_limits<double>::infinity()), "Infinity");
}

class Counted final : public ComObject<Counted, IUnknown> {
public:
  explicit Counted(bool& alive) : alive_(alive) { alive_ = true; }
  ~Counted() override { alive_ = false; }
  HRESULT QueryInterface(const IID& iid, void** object) override {
    if (iid == IID_IUnknown) {
      AddRef();
      *object = static_cast<IUnknown*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }

private:
  bool& alive_;
};

TEST(VariantLifetime, CopyAndClearOwnTheirContents) {
  VariantHolder text(MakeText("Grüße"));
  VariantHolder copy;
  ASSERT_EQ(VariantCopy(copy.get(), text.get()), S_OK);
  EXPECT_NE(copy->bstrVal, text->bstrVal) << "strings are duplicated";
  EXPECT_EQ(Utf8FromBstr(copy->bstrVal), "Grüße");

  bool alive = false;
  auto* object = new Counted(alive);
  VARIANT holder;
  VariantInit(&holder);
  holder.vt = VT_UNKNOWN;
  holder.punkVal = object;
  VARIANT second;
  VariantInit(&second);
  ASSERT_EQ(VariantCopy(&second, &holder), S_OK);
  EXPECT_EQ(object->ReferenceCount(), 2u);
  VariantClear(&holder);
  EXPECT_TRUE(alive);
  VariantClear(&second);
  EXPECT_FALSE(alive) << "the last clear releases the object";
  EXPECT_EQ(second.vt, VT_EMPTY);
}

TEST(VariantLifetime, ClearDestroysAnArrayUnlessItIsLocked) {
  const SAFEARRAYBOUND bound{3, 1};
  VARIANT holder;
  VariantInit(&holder);
  holder.vt = VT_ARRAY | VT_I4;
  holder.parray = SafeArrayCreate(VT_I4, 1, &bound);
  ASSERT_EQ(SafeArrayLock(holder.parray), S_OK);
  EXPECT_EQ(VariantClear(&holder), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(holder.vt, VT_ARRAY | VT_I4) << "a failed clear keeps the array";
  ASSERT_EQ(SafeArrayUnlock(holder.parray), S_OK);
  EXPECT_EQ(VariantClear(&holder), S_OK);
  EXPECT_EQ(holder.vt, VT_EMPTY);
}

} // namespace
} // namespace ole
