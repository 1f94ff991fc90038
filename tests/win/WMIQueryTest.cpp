#include "win32/WMIQuery.h"

#include <gtest/gtest.h>
#include <wbemcli.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "core/WbemErrors.h"

namespace {
// The failures a user would be told of, by the name each is shown with.
class CWatchedQuery : public CWMIQuery {
  public:
    IWbemServices* Services() const { return m_pServices.Get(); }
    std::vector<std::string> Messages() const {
        std::vector<std::string> names;
        for (const WmiFailure& f : Failures())
            names.push_back(ErrorName(f.code));
        return names;
    }
};

VARIANT Make(VARTYPE vt) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    return v;
}
} // namespace

TEST(WMIQuery, VariantToTextByType) {
    std::vector<std::pair<VARIANT, std::string>> cases;
    auto add = [&](VARIANT v, const char* text) { cases.emplace_back(v, text); };
    VARIANT v = Make(VT_I2);
    v.iVal = -32768;
    add(v, "-32768");
    v = Make(VT_I4);
    v.lVal = 2147483647;
    add(v, "2147483647");
    v = Make(VT_R4);
    v.fltVal = 2.5f;
    add(v, "    2.5000");
    v = Make(VT_R8);
    v.dblVal = 2.5;
    add(v, "    2.5000");
    v.dblVal = -1234567.12345;
    add(v, "-1234567.1235");
    v.dblVal = 1e20;
    add(v, "100000000000000000000.0000");
    v = Make(VT_BSTR);
    v.bstrVal = SysAllocString(L"Base Board");
    add(v, "Base Board");
    v.bstrVal = SysAllocStringLen(L"PCI\\VEN_10DE\0junk", 17);
    add(v, "PCI\\VEN_10DE");
    v.bstrVal = nullptr;
    add(v, "");
    v = Make(VT_BOOL);
    v.boolVal = VARIANT_TRUE;
    add(v, "true");
    v.boolVal = VARIANT_FALSE;
    add(v, "false");
    v.boolVal = 1;
    add(v, "true");
    v = Make(VT_UI1);
    v.bVal = 200;
    add(v, "200");
    for (VARTYPE other :
         std::initializer_list<VARTYPE>{VT_EMPTY, VT_NULL, VT_UI2, VT_UI4, VT_I8, VT_DATE, VT_ERROR, VT_I1,
                                        static_cast<VARTYPE>(VT_ARRAY | VT_BSTR)}) {
        v = Make(other);
        add(v, "NULL");
    }
    for (auto& c : cases) {
        EXPECT_EQ(c.second, CWMIQuery::VariantToText(c.first)) << "vt " << c.first.vt;
        if (c.first.vt == VT_BSTR) SysFreeString(c.first.bstrVal);
    }
}

// The names agree with the platform's own declarations of the same codes.
TEST(WMIQuery, ErrorNamesMatchThePlatformHeader) {
#define NAMED(code)                                                                                          \
    { code, #code }
    const std::pair<HRESULT, const char*> names[] = {
        NAMED(WBEM_NO_ERROR),
        NAMED(WBEM_S_FALSE),
        NAMED(WBEM_S_ALREADY_EXISTS),
        NAMED(WBEM_S_RESET_TO_DEFAULT),
        NAMED(WBEM_S_DIFFERENT),
        NAMED(WBEM_S_NO_MORE_DATA),
        NAMED(WBEM_E_FAILED),
        NAMED(WBEM_E_NOT_FOUND),
        NAMED(WBEM_E_ACCESS_DENIED),
        NAMED(WBEM_E_PROVIDER_FAILURE),
        NAMED(WBEM_E_TYPE_MISMATCH),
        NAMED(WBEM_E_OUT_OF_MEMORY),
        NAMED(WBEM_E_INVALID_CONTEXT),
        NAMED(WBEM_E_INVALID_PARAMETER),
        NAMED(WBEM_E_NOT_AVAILABLE),
        NAMED(WBEM_E_CRITICAL_ERROR),
        NAMED(WBEM_E_INVALID_STREAM),
        NAMED(WBEM_E_NOT_SUPPORTED),
        NAMED(WBEM_E_INVALID_SUPERCLASS),
        NAMED(WBEM_E_INVALID_NAMESPACE),
        NAMED(WBEM_E_INVALID_OBJECT),
        NAMED(WBEM_E_INVALID_CLASS),
        NAMED(WBEM_E_PROVIDER_NOT_FOUND),
        NAMED(WBEM_E_INVALID_PROVIDER_REGISTRATION),
        NAMED(WBEM_E_PROVIDER_LOAD_FAILURE),
        NAMED(WBEM_E_INITIALIZATION_FAILURE),
        NAMED(WBEM_E_TRANSPORT_FAILURE),
        NAMED(WBEM_E_INVALID_OPERATION),
        NAMED(WBEM_E_INVALID_QUERY),
        NAMED(WBEM_E_INVALID_QUERY_TYPE),
        NAMED(WBEM_E_ALREADY_EXISTS),
        NAMED(WBEM_E_OVERRIDE_NOT_ALLOWED),
        NAMED(WBEM_E_PROPAGATED_QUALIFIER),
        NAMED(WBEM_E_PROPAGATED_PROPERTY),
        NAMED(WBEM_E_UNEXPECTED),
        NAMED(WBEM_E_ILLEGAL_OPERATION),
        NAMED(WBEM_E_CANNOT_BE_KEY),
        NAMED(WBEM_E_INCOMPLETE_CLASS),
        NAMED(WBEM_E_INVALID_SYNTAX),
        NAMED(WBEM_E_NONDECORATED_OBJECT),
        NAMED(WBEM_E_READ_ONLY),
        NAMED(WBEM_E_PROVIDER_NOT_CAPABLE),
        NAMED(WBEM_E_CLASS_HAS_CHILDREN),
        NAMED(WBEM_E_CLASS_HAS_INSTANCES),
        NAMED(WBEM_E_QUERY_NOT_IMPLEMENTED),
        NAMED(WBEM_E_ILLEGAL_NULL),
        NAMED(WBEM_E_INVALID_QUALIFIER_TYPE),
        NAMED(WBEM_E_INVALID_PROPERTY_TYPE),
        NAMED(WBEM_E_VALUE_OUT_OF_RANGE),
        NAMED(WBEM_E_CANNOT_BE_SINGLETON),
    };
#undef NAMED
    for (const auto& n : names)
        EXPECT_EQ(n.second, CWMIQuery::ErrorName(n.first));
    EXPECT_EQ("8004102d", CWMIQuery::ErrorName(WBEM_E_INVALID_CIM_TYPE));
}

// Wine's answers; a property the class lacks reads "NULL" without bothering the user.
TEST(WMIQuery, ReadsPropertiesOfTheFirstInstance) {
    const char* const cases[][3] = {
        {"Win32_BaseBoard", "Product", "Base Board"},
        {"Win32_Bios", "Manufacturer", "The Wine Project"},
        {"Win32_BaseBoard", "NoSuchProperty", "NULL"},
    };
    for (const auto& c : cases) {
        CWatchedQuery query;
        EXPECT_EQ(c[2], query.QueryText(c[0], c[1])) << c[0] << "." << c[1];
        EXPECT_TRUE(query.Messages().empty());
    }
}

// Windows refuses an unknown class when the enumeration starts; Wine enumerates no instance. A class
// name that is not even a name fails on both, and the user is shown the result's name.
TEST(WMIQuery, MissingClassReadsNull) {
    CWatchedQuery query;
    EXPECT_EQ("NULL", query.QueryText("Win32_NoSuchClass", "Product"));
    EXPECT_LE(query.Messages().size(), 1u);
    for (const std::string& m : query.Messages())
        EXPECT_EQ("WBEM_E_INVALID_CLASS", m);

    for (const char* name : {"", "Win32 BaseBoard"}) {
        CWatchedQuery bad;
        EXPECT_EQ("NULL", bad.QueryText(name, "Product")) << name;
        const std::vector<std::string> messages = bad.Messages();
        ASSERT_EQ(1u, messages.size()) << name;
        EXPECT_TRUE(messages[0] == "WBEM_E_INVALID_QUERY" || messages[0] == "WBEM_E_INVALID_CLASS")
            << messages[0];
    }
}

TEST(WMIQuery, FailedConnectionIsSilent) {
    CWatchedQuery query;
    EXPECT_TRUE(query.Initialize());
    EXPECT_FALSE(query.Connect("\\\\.\\root\\NoSuchNamespace"));
    EXPECT_EQ(nullptr, query.Services());
    VARIANT v = query.GetInstanceProperty("Win32_BaseBoard", "Product");
    EXPECT_EQ(VT_EMPTY, v.vt);
    EXPECT_TRUE(query.Messages().empty());
}

TEST(WMIQuery, ComIsLeftAsItWasFound) {
    {
        CWatchedQuery query;
        EXPECT_TRUE(query.Initialize());
        EXPECT_TRUE(query.Initialize());
    }
    // Both set-ups were undone: this thread starts COM afresh.
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    {
        CWatchedQuery query;
        EXPECT_TRUE(query.Initialize());
        EXPECT_EQ("Base Board", query.QueryText("Win32_BaseBoard", "Product"));
    }
    // The caller's own COM survives the query.
    EXPECT_EQ(S_FALSE, CoInitialize(nullptr));
    CoUninitialize();
    CoUninitialize();
}

TEST(WMIQuery, QueryWMITextRepeats) {
    std::vector<WmiFailure> failures;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ("Base Board", QueryWMIText("Win32_BaseBoard", "Product", failures));
    EXPECT_TRUE(failures.empty());
}

// Every name the program gives a code, against the code wbemcli.h has for it; and codes without a name.
TEST(WbemErrors, NamesAreTheHeadersCodes) {
#define W(name)                                                                                              \
    { static_cast<std::uint32_t>(name), #name }
    const std::pair<std::uint32_t, const char*> named[] = {
        W(WBEM_NO_ERROR),
        W(WBEM_S_FALSE),
        W(WBEM_S_ALREADY_EXISTS),
        W(WBEM_S_RESET_TO_DEFAULT),
        W(WBEM_S_DIFFERENT),
        W(WBEM_S_NO_MORE_DATA),
        W(WBEM_E_FAILED),
        W(WBEM_E_NOT_FOUND),
        W(WBEM_E_ACCESS_DENIED),
        W(WBEM_E_PROVIDER_FAILURE),
        W(WBEM_E_TYPE_MISMATCH),
        W(WBEM_E_OUT_OF_MEMORY),
        W(WBEM_E_INVALID_CONTEXT),
        W(WBEM_E_INVALID_PARAMETER),
        W(WBEM_E_NOT_AVAILABLE),
        W(WBEM_E_CRITICAL_ERROR),
        W(WBEM_E_INVALID_STREAM),
        W(WBEM_E_NOT_SUPPORTED),
        W(WBEM_E_INVALID_SUPERCLASS),
        W(WBEM_E_INVALID_NAMESPACE),
        W(WBEM_E_INVALID_OBJECT),
        W(WBEM_E_INVALID_CLASS),
        W(WBEM_E_PROVIDER_NOT_FOUND),
        W(WBEM_E_INVALID_PROVIDER_REGISTRATION),
        W(WBEM_E_PROVIDER_LOAD_FAILURE),
        W(WBEM_E_INITIALIZATION_FAILURE),
        W(WBEM_E_TRANSPORT_FAILURE),
        W(WBEM_E_INVALID_OPERATION),
        W(WBEM_E_INVALID_QUERY),
        W(WBEM_E_INVALID_QUERY_TYPE),
        W(WBEM_E_ALREADY_EXISTS),
        W(WBEM_E_OVERRIDE_NOT_ALLOWED),
        W(WBEM_E_PROPAGATED_QUALIFIER),
        W(WBEM_E_PROPAGATED_PROPERTY),
        W(WBEM_E_UNEXPECTED),
        W(WBEM_E_ILLEGAL_OPERATION),
        W(WBEM_E_CANNOT_BE_KEY),
        W(WBEM_E_INCOMPLETE_CLASS),
        W(WBEM_E_INVALID_SYNTAX),
        W(WBEM_E_NONDECORATED_OBJECT),
        W(WBEM_E_READ_ONLY),
        W(WBEM_E_PROVIDER_NOT_CAPABLE),
        W(WBEM_E_CLASS_HAS_CHILDREN),
        W(WBEM_E_CLASS_HAS_INSTANCES),
        W(WBEM_E_QUERY_NOT_IMPLEMENTED),
        W(WBEM_E_ILLEGAL_NULL),
        W(WBEM_E_INVALID_QUALIFIER_TYPE),
        W(WBEM_E_INVALID_PROPERTY_TYPE),
        W(WBEM_E_VALUE_OUT_OF_RANGE),
        W(WBEM_E_CANNOT_BE_SINGLETON),
        {static_cast<std::uint32_t>(WBEM_S_TIMEDOUT), "40004"},
        {static_cast<std::uint32_t>(E_ACCESSDENIED), "80070005"},
        {0x80041000, "80041000"},
        {static_cast<std::uint32_t>(WBEM_E_CANNOT_BE_SINGLETON) + 1, "8004102d"},
    };
#undef W
    for (const auto& n : named)
        EXPECT_EQ(n.second, WbemErrorName(n.first)) << std::hex << n.first;
}
