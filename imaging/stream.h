// Read-only byte streams; the one concrete stream serves a resource of the executable.
#ifndef CLOCK_IMAGING_STREAM_H
#define CLOCK_IMAGING_STREAM_H

#include <windows.h>

class CStream {
  public:
    CStream();
    virtual ~CStream();
    virtual UINT Read(void* buffer, UINT length) = 0;
    // origin 0: from the beginning, 1: from the current position, 2: from the end.
    virtual int Seek(int offset, int origin) = 0;
    virtual UINT GetSize() = 0;
    int GetState() const { return m_nState; }
    int Clear();

  protected:
    UINT m_nPosition;
    int m_nState;
    UINT m_nSize;
};

class CResourceStream : public CStream {
  public:
    CResourceStream(HINSTANCE module, LPCSTR name, LPCSTR type);
    ~CResourceStream() override;
    UINT Read(void* buffer, UINT length) override;
    int Seek(int offset, int origin) override;
    UINT GetSize() override;
    int Clear();

  private:
    HGLOBAL m_hResource;
    const BYTE* m_pData;
};

#endif
