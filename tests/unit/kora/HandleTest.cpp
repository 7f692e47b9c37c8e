#include <gtest/gtest.h>

#include "kora/utility/Handle.h"

using Kora::Utility::Handle;
using Kora::Utility::NullHandleException;
using Kora::Utility::Shared;

namespace {

// Counts destructions so tests can see exactly when an object dies.
struct Tracked : virtual Shared {
    explicit Tracked(int* deaths) : deaths(deaths) {}
    ~Tracked() override { ++*deaths; }
    int* deaths;
};

struct Speaker : virtual Shared {
    virtual int Speak() const { return 1; }
};
struct Walker : virtual Shared {
    virtual int Walk() const { return 2; }
};
// Two interfaces over one count, as host objects are built.
struct Robot : Speaker, Walker {};

TEST(Handle, CopiesDropsAndReassignmentsLeaveTheCountWhereItStarted) {
    int deaths = 0;
    Handle<Tracked> owner(new Tracked(&deaths));
    ASSERT_EQ(owner->GetRefCount(), 1);
    {
        Handle<Tracked> copy = owner;
        Handle<Tracked> another(copy);
        EXPECT_EQ(owner->GetRefCount(), 3);
        Handle<Tracked> moved(std::move(another));
        EXPECT_EQ(owner->GetRefCount(), 3);
    }
    EXPECT_EQ(owner->GetRefCount(), 1);
    EXPECT_EQ(deaths, 0);
    // Reassigning the same object keeps it; another object releases the old.
    owner = Handle<Tracked>(owner.Get());
    owner = owner;
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(owner->GetRefCount(), 1);
    Handle<Tracked> other(new Tracked(&deaths));
    owner = other;
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(other->GetRefCount(), 2);
    owner = nullptr;
    other = nullptr;
    EXPECT_EQ(deaths, 2);
}

TEST(Handle, StaticObjectSurvivesItsCountReachingZero) {
    int deaths = 0;
    auto* object = new Tracked(&deaths);
    object->SetStatic(true);
    { Handle<Tracked> h(object); }
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(object->GetRefCount(), 0);
    object->SetStatic(false);
    { Handle<Tracked> h(object); }
    EXPECT_EQ(deaths, 1);
}

TEST(Handle, EmptyDereferenceThrowsNullHandleFromLine36) {
    Handle<Speaker> empty;
    try {
        empty->Speak();
        FAIL() << "no exception";
    } catch (const NullHandleException& e) {
        EXPECT_EQ(e.File(), "KoraUtility/Handle");
        EXPECT_EQ(e.Line(), 36);
    }
    EXPECT_THROW(*empty, NullHandleException);
    EXPECT_EQ(empty.Get(), nullptr);
}

TEST(Handle, CastFindsOtherInterfacesOfTheSameObjectAndSharesOneCount) {
    Handle<Speaker> speaker(new Robot);
    Handle<Walker> walker = speaker.Cast<Walker>();
    ASSERT_TRUE(walker);
    EXPECT_EQ(walker->Walk(), 2);
    EXPECT_EQ(speaker->GetRefCount(), 2);
    EXPECT_TRUE(speaker == walker);

    Handle<Tracked> none = speaker.Cast<Tracked>();
    EXPECT_FALSE(none);
    EXPECT_FALSE(Handle<Speaker>().Cast<Walker>());
}

}  // namespace
