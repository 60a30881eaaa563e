// SPDX-License-Identifier: LGPL-2.1-or-later
// Builds the precompiled header that the test programs share.
int main()
{
    return 0;
}
