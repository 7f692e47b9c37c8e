#include <gtest/gtest.h>

#include "kora/utility/Exception.h"

using Kora::Utility::Exception;
using Kora::Utility::NullHandleException;

TEST(Exception, DescriptionNamesFileAndLineOnlyWhenBothAreSet) {
    EXPECT_EQ(Exception().Description(), "Kora::Exception");
    EXPECT_EQ(Exception("glue.cpp", 0).Description(), "Kora::Exception");
    EXPECT_EQ(Exception("", 12).Description(), "Kora::Exception");
    EXPECT_EQ(Exception("glue.cpp", 12, "bad").Description(), "glue.cpp:12: Kora::Exception");
    EXPECT_EQ(NullHandleException("h", 36).Description(), "h:36: Kora::NullHandleException");
}

TEST(Exception, CloneAndRethrowKeepTheDynamicType) {
    NullHandleException original("KoraUtility/Handle", 36, "empty");
    std::unique_ptr<Exception> copy = original.Clone();
    EXPECT_EQ(copy->TypeName(), "Kora::NullHandleException");
    EXPECT_EQ(copy->Message(), "empty");
    EXPECT_THROW(copy->Rethrow(), NullHandleException);
    EXPECT_STREQ(original.what(), "empty");
}
