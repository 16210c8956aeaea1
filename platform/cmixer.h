// A small software mixer: any number of playing sources mixed into the 16-bit
// stereo stream of the audio device.
//
// Positions, rates and gains are 12-bit fixed point (4096 = 1.0). The device
// callback runs on SDL's audio thread and holds the one mixer mutex for its
// whole pass over the playing sources; the game thread takes the same mutex
// to start, stop, re-initialise or remove a source. A source must be removed
// from the mixer before its samples are freed or it is destroyed (the
// destructors do it themselves, with a warning).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace cmixer
{
	constexpr int FIXED_BITS = 12;
	constexpr int FIXED_ONE = 1 << FIXED_BITS;
	constexpr int BUFFER_FRAMES = 256;			// frames in a source's ring and in the mix buffer
	constexpr int BUFFER_MASK = BUFFER_FRAMES - 1;
	constexpr int FILL_FRAMES = 128;			// frames pulled from a stream at a time
	constexpr int DEFAULT_OUTPUT_RATE = 44100;

	enum SourceState : int { CM_STATE_STOPPED = 0, CM_STATE_PLAYING = 1, CM_STATE_PAUSED = 2 };

	// Opens the default audio device (44100 Hz asked, 16-bit stereo, 1024-frame
	// buffers) and starts the callback. Throws std::runtime_error on failure.
	void Init();

	// Mixer state without a device, for tests and offline rendering: the output
	// rate is set and Mix() is called by hand.
	void InitHeadless(int outputRate = DEFAULT_OUTPUT_RATE);

	// Closes the device and quits SDL's audio subsystem (if Init opened it).
	void Shutdown();

	double GetMasterGain();
	void SetMasterGain(double gain);			// negative gains become 0
	int GetOutputRate();

	// What the device callback does: fills `samples` interleaved stereo int16
	// values (an even count).
	void Mix(int16_t* out, int samples);

	// Sources in the playing list (for tests and diagnostics).
	int GetNumActiveSources();

	class Source
	{
	public:
		Source() = default;
		Source(const Source&) = delete;
		Source& operator=(const Source&) = delete;
		virtual ~Source();

		// Sets the format of the sample data; `byteLength` bytes of it. Throws
		// std::invalid_argument for a rate <= 0, bits other than 8 or 16 or a
		// channel count other than 1 or 2.
		void Init(int sampleRate, int bitDepth, int channels, bool bigEndian, size_t byteLength);

		void Play();
		void TogglePause();
		void Stop();
		void RemoveFromMixer();

		void SetGain(double gain);
		void SetPan(double pan);					// -1 (left) .. 1 (right)
		void SetPitch(double pitch);				// 1 = the source's own rate
		void SetLoop(bool loop);
		void SetInterpolation(bool interpolate);
		void SetLoopStart(int64_t frame);		// kept below the length
		void SetOnComplete(std::function<void()> onComplete);

		int GetState() const { return state.load(std::memory_order_relaxed); }
		bool IsActive() const { return active; }
		int64_t GetLengthFrames() const { return length; }
		int64_t GetLoopStart() const { return loopStart; }
		int GetSampleRate() const { return sampleRate; }
		int32_t GetRate() const { return rate.load(std::memory_order_relaxed); }
		int32_t GetLeftGain() const { return leftGain.load(std::memory_order_relaxed); }
		int32_t GetRightGain() const { return rightGain.load(std::memory_order_relaxed); }
		bool GetLoop() const { return loop.load(std::memory_order_relaxed); }
		bool GetInterpolation() const { return interpolate.load(std::memory_order_relaxed); }
		double GetLength() const;				// seconds
		double GetPosition() const;				// seconds

	protected:
		virtual void Rewind() = 0;				// the stream returns to its first frame
		virtual void ClearImplementation() = 0;	// reset hook of the stream
		// Writes `frames` interleaved stereo frames. Must always write them all.
		virtual void FillBuffer(int16_t* dst, int frames) = 0;

		// Takes the source off the mixer before the stream's data goes away,
		// warning when that had not been done. Subclass destructors call it.
		void DetachBeforeDestruction();

		// Caller holds the mixer lock.
		void InitLocked(int sampleRate, int bitDepth, int channels, bool bigEndian, size_t byteLength);

	private:
		friend void Mix(int16_t* out, int samples);
		friend void Shutdown();

		void ResetLocked();
		void RecalcGains();
		void RecalcRate();
		void Process(int32_t* mix, int frames);

		int16_t ring[BUFFER_FRAMES * 2] = {};
		int sampleRate = 0;
		int64_t length = 0;
		int64_t loopStart = 0;
		int64_t end = 0;
		int64_t position = 0;				// fixed point frames
		int64_t nextFill = 0;
		std::atomic<int> state{CM_STATE_STOPPED};
		std::atomic<int32_t> leftGain{0};
		std::atomic<int32_t> rightGain{0};
		std::atomic<int32_t> rate{0};
		std::atomic<bool> loop{false};
		std::atomic<bool> rewindPending{true};
		std::atomic<bool> interpolate{false};
		std::atomic<bool> active{false};
		double gain = 1.0;
		double pan = 0.0;
		double pitch = 1.0;
		std::function<void()> onComplete;
	};

	// A source over PCM held in memory, borrowed or owned.
	class WavStream : public Source
	{
	public:
		WavStream() = default;
		~WavStream() override;

		// Plays `size` bytes at `data` in place; the caller keeps them alive until
		// the stream is re-initialised, removed from the mixer or destroyed.
		// 8-bit samples are unsigned (128 = silence) unless `signed8` is set.
		void Init(int sampleRate, int bitDepth, int channels, bool bigEndian,
				  const void* data, size_t size, bool signed8 = false);

		// The same over samples the stream keeps itself.
		void Init(int sampleRate, int bitDepth, int channels, bool bigEndian,
				  std::vector<uint8_t>&& ownedData, bool signed8 = false);

		const void* GetData() const { return data; }
		size_t GetDataSize() const { return dataSize; }

	protected:
		void Rewind() override;
		void ClearImplementation() override;
		void FillBuffer(int16_t* dst, int frames) override;

	private:
		void Convert(int16_t* dst, int64_t firstFrame, int frames) const;

		const uint8_t* data = nullptr;
		size_t dataSize = 0;
		int bitDepth = 16;
		int channels = 1;
		bool bigEndian = false;
		bool signed8 = false;
		int64_t frameCount = 0;
		int64_t readIndex = 0;
		std::vector<uint8_t> owned;
	};
}
