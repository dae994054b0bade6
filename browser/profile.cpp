// SPDX-License-Identifier: MIT
#include "browser/profile.h"

#include <QWebEngineProfile>

namespace browser {

namespace {

QWebEngineProfile *current = nullptr;

} // namespace

SharedProfile::SharedProfile()
    : m_profile(new QWebEngineProfile) // a profile without a storage name is off the record
{
    if (current) qFatal("a second SharedProfile was made");
    current = m_profile;
}

SharedProfile::~SharedProfile()
{
    current = nullptr;
    delete m_profile;
}

QWebEngineProfile *sharedProfile()
{
    if (!current) qFatal("a browser was made with no SharedProfile alive");
    return current;
}

} // namespace browser
