#pragma once
// Tests that start the game or type on the keyboard need the machine to
// themselves (one copy of the game, one window with the keyboard focus). Their
// suites are named *OnDesktop or *Alone, which CTest keeps apart; the named
// mutex, held while the object lives, keeps them apart when the test
// programs are run by hand.
#include <gtest/gtest.h>
#include <windows.h>

class ForegroundTurn {
public:
    ForegroundTurn()
    {
        m_mutex = CreateMutexA(nullptr, FALSE, "GameForegroundTestTurn");
        DWORD result = m_mutex ? WaitForSingleObject(m_mutex, 120000) : WAIT_FAILED;
        m_have = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    }
    ~ForegroundTurn()
    {
        if (m_have) ReleaseMutex(m_mutex);
        if (m_mutex) CloseHandle(m_mutex);
    }
    ForegroundTurn(const ForegroundTurn&) = delete;
    ForegroundTurn& operator=(const ForegroundTurn&) = delete;
    bool Have() const { return m_have; }

private:
    HANDLE m_mutex = nullptr;
    bool m_have = false;
};

// A fixture whose every test takes its turn first, then sets up as Fixture does.
template <class Fixture>
class OnDesktop : public Fixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_turn.Have()) << "no turn on the desktop";
        Fixture::SetUp();
    }
    ForegroundTurn m_turn;
};
