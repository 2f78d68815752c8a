// Class groups of the class registry: which registered classes a look-up by name sees.
#include <gtest/gtest.h>

#include "platform/base/exceptions.h"
#include "platform/base/object.h"

namespace qd {
namespace {

// Two control frameworks, each with its own group, a plain component class that joins the
// first one, and a class no group claims.
class GVisual : public TObject {
  QD_CLASS_INLINE(GVisual, TObject)
};
class GButton : public GVisual {
  QD_CLASS_INLINE(GButton, GVisual)
};
class GOther : public TObject {
  QD_CLASS_INLINE(GOther, TObject)
};
class GOtherButton : public GOther {
  QD_CLASS_INLINE(GOtherButton, GOther)
};
class GComponent : public TObject {
  QD_CLASS_INLINE(GComponent, TObject)
};
class GLink : public GComponent {
  QD_CLASS_INLINE(GLink, GComponent)
};
class GPlain : public TObject {
  QD_CLASS_INLINE(GPlain, TObject)
};

TEST(ClassGroups, LookUpsSeeTheRootGroupAndTheActiveGroup) {
  // Registered before the groups exist: a class's group follows the groups, not the order.
  for (TClass c :
       {GButton::StaticClass(), GOtherButton::StaticClass(), GLink::StaticClass(), GPlain::StaticClass()})
    RegisterClass(c);
  StartClassGroup(GVisual::StaticClass());
  StartClassGroup(GOther::StaticClass());
  GroupDescendentsWith(GComponent::StaticClass(), GButton::StaticClass());  // GButton's group
  GroupDescendentsWith(GOther::StaticClass(), GVisual::StaticClass());      // a group class keeps its group

  struct Row {
    TClass cls, group;
  } rows[] = {
      {GVisual::StaticClass(), GVisual::StaticClass()},     {GButton::StaticClass(), GVisual::StaticClass()},
      {GComponent::StaticClass(), GVisual::StaticClass()},  {GLink::StaticClass(), GVisual::StaticClass()},
      {GOtherButton::StaticClass(), GOther::StaticClass()}, {GPlain::StaticClass(), TObject::StaticClass()},
  };
  for (const Row& r : rows) EXPECT_EQ(ClassGroupOf(r.cls), r.group) << r.cls->name;

  const TClass saved = ActivateClassGroup(GButton::StaticClass());
  EXPECT_EQ(GetClass("GButton"), GButton::StaticClass());
  EXPECT_EQ(GetClass("glink"), GLink::StaticClass());
  EXPECT_EQ(GetClass("GPlain"), GPlain::StaticClass());
  EXPECT_EQ(GetClass("GOtherButton"), nullptr);
  EXPECT_THROW(FindClass("GOtherButton"), EClassNotFound);

  EXPECT_EQ(ActivateClassGroup(GOtherButton::StaticClass()), GVisual::StaticClass());
  EXPECT_EQ(GetClass("GButton"), nullptr);
  EXPECT_EQ(GetClass("GLink"), nullptr);
  EXPECT_EQ(GetClass("GOtherButton"), GOtherButton::StaticClass());
  EXPECT_EQ(GetClass("GPlain"), GPlain::StaticClass());

  // Only the root group active: the other groups' classes are hidden, the root's are not.
  EXPECT_EQ(ActivateClassGroup(TObject::StaticClass()), GOther::StaticClass());
  EXPECT_EQ(GetClass("GButton"), nullptr);
  EXPECT_EQ(GetClass("GPlain"), GPlain::StaticClass());

  ActivateClassGroup(saved);
  for (TClass c :
       {GButton::StaticClass(), GOtherButton::StaticClass(), GLink::StaticClass(), GPlain::StaticClass()})
    UnRegisterClass(c);
}

}  // namespace
}  // namespace qd
