#include <gtest/gtest.h>

#include "FakeSystem.h"
#include "platform/Errors.h"
#include "platform/Registry.h"

using platform::Registry;
using platform::RegistryError;
using platform::RootKey;

TEST(Registry, RelativeKeysOpenBelowTheOpenKeyAbsoluteOnesBelowTheRoot) {
  ScopedFakeSystem sys;
  sys->Reg().PutString(RootKey::LocalMachine, "SOFTWARE\\A\\B", "v", "ab");
  sys->Reg().PutString(RootKey::LocalMachine, "B", "v", "root b");
  Registry reg;
  reg.SetRootKey(RootKey::LocalMachine);
  ASSERT_TRUE(reg.OpenKey("software\\a", false));  // names compare without case
  ASSERT_TRUE(reg.OpenKey("B", false));
  EXPECT_EQ(reg.ReadString("V"), "ab");
  ASSERT_TRUE(reg.OpenKey("\\B", false));
  EXPECT_EQ(reg.ReadString("v"), "root b");
  reg.CloseKey();
  EXPECT_EQ(sys->Reg().OpenHandles(), 0);
}

TEST(Registry, OpeningAMissingKeyFailsQuietlyUnlessCreateIsAsked) {
  ScopedFakeSystem sys;
  Registry reg;
  reg.SetRootKey(RootKey::LocalMachine);
  EXPECT_FALSE(reg.OpenKey("SOFTWARE\\New", false));
  EXPECT_FALSE(sys->Reg().HasKey(RootKey::LocalMachine, "SOFTWARE\\New"));
  EXPECT_TRUE(reg.OpenKey("SOFTWARE\\New", true));
  EXPECT_TRUE(sys->Reg().HasKey(RootKey::LocalMachine, "SOFTWARE\\New"));
}

TEST(Registry, ReadsEmptyTextWithoutAKeyOrValueAndRaisesOnOtherTypes) {
  ScopedFakeSystem sys;
  sys->Reg().PutOther(RootKey::CurrentUser, "K", "dword");
  Registry reg;
  EXPECT_EQ(reg.ReadString("anything"), "");  // no key open
  ASSERT_TRUE(reg.OpenKey("K", false));
  EXPECT_EQ(reg.ReadString("missing"), "");
  EXPECT_THROW(reg.ReadString("dword"), RegistryError);
}

TEST(Registry, WritingRaisesWithoutAnOpenKeyOrWhenRefused) {
  ScopedFakeSystem sys;
  Registry reg;
  EXPECT_THROW(reg.WriteString("v", "x"), RegistryError);
  sys->Reg().DenyWrite(RootKey::CurrentUser, "Locked");
  ASSERT_TRUE(reg.OpenKey("Locked", true));
  EXPECT_THROW(reg.WriteString("v", "x"), RegistryError);
  ASSERT_TRUE(reg.OpenKey("\\Open", true));
  reg.WriteString("v", "x");
  EXPECT_EQ(sys->Reg().GetString(RootKey::CurrentUser, "Open", "V"), "x");
}

TEST(Registry, CreateKeyMakesASubkeyWithoutOpeningItAndRaisesWhenRefused) {
  ScopedFakeSystem sys;
  sys->Reg().DenyCreate(RootKey::LocalMachine, "U\\Denied");
  Registry reg;
  reg.SetRootKey(RootKey::LocalMachine);
  ASSERT_TRUE(reg.OpenKey("U", true));
  reg.CreateKey("Sub");
  EXPECT_TRUE(sys->Reg().HasKey(RootKey::LocalMachine, "U\\Sub"));
  EXPECT_EQ(reg.ReadString("x"), "");  // still on U
  EXPECT_THROW(reg.CreateKey("Denied"), RegistryError);
}

TEST(Registry, ReleasingTheObjectClosesItsKey) {
  ScopedFakeSystem sys;
  {
    Registry reg;
    ASSERT_TRUE(reg.OpenKey("K", true));
    EXPECT_EQ(sys->Reg().OpenHandles(), 1);
  }
  EXPECT_EQ(sys->Reg().OpenHandles(), 0);
}
