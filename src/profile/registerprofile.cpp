#include "profile/registerprofile.h"

ProfileFamilies RegisterProfile::families() const
{
    ProfileFamilies result;
    if (headerLines)
        result |= ProfileFamily::Header;
    if (taxRates)
        result |= ProfileFamily::Taxes;
    if (departments)
        result |= ProfileFamily::Departments;
    if (articles)
        result |= ProfileFamily::Articles;
    if (groups)
        result |= ProfileFamily::Groups;
    if (operators)
        result |= ProfileFamily::Operators;
    if (logo)
        result |= ProfileFamily::Logo;
    if (passwords)
        result |= ProfileFamily::Passwords;
    for (auto t = otherTables.cbegin(); t != otherTables.cend(); ++t)
        result |= t.key();
    return result;
}
