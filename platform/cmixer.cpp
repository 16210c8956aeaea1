#include "cmixer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <string>

namespace cmixer
{
	namespace
	{
		// The rate is clamped to this many frames per output frame, so one fill
		// of the ring always keeps ahead of the read position.
		constexpr int32_t MAX_RATE = (FILL_FRAMES / 2) * FIXED_ONE;

		std::mutex gMutex;
		std::vector<Source*> gSources;			// playing sources; each at most once
		int32_t gMixBuffer[BUFFER_FRAMES * 2];	// only touched under gMutex
		std::atomic<int> gOutputRate{DEFAULT_OUTPUT_RATE};
		std::atomic<int32_t> gMasterGain{FIXED_ONE / 2};
		SDL_AudioDeviceID gDevice = 0;

		void AudioCallback(void*, Uint8* stream, int length)
		{
			Mix(reinterpret_cast<int16_t*>(stream), length / 2);
		}

		int16_t ClipToInt16(int64_t x)
		{
			if (x < -0x8000000)
				return -32768;
			if (x > 0x7FFFFFF)
				return 32767;
			return int16_t(x >> FIXED_BITS);
		}
	}

	void Init()
	{
		if (SDL_WasInit(SDL_INIT_AUDIO))
			throw std::runtime_error("SDL audio subsystem already inited");
		if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
			throw std::runtime_error("couldn't init SDL audio subsystem");

		SDL_AudioSpec want{};
		SDL_AudioSpec got{};
		want.freq = DEFAULT_OUTPUT_RATE;
		want.format = AUDIO_S16SYS;
		want.channels = 2;
		want.samples = 1024;
		want.callback = AudioCallback;
		gDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &got, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
		if (gDevice == 0)
		{
			std::string error = SDL_GetError();
			SDL_QuitSubSystem(SDL_INIT_AUDIO);
			throw std::runtime_error(error);
		}

		InitHeadless(got.freq);
		SDL_PauseAudioDevice(gDevice, 0);
	}

	void InitHeadless(int outputRate)
	{
		if (outputRate <= 0)
			throw std::invalid_argument("cmixer: output rate must be positive");
		gOutputRate = outputRate;
		gMasterGain = FIXED_ONE / 2;
		std::lock_guard<std::mutex> lock(gMutex);
		gSources.reserve(64);		// the callback never allocates; Play rarely has to
	}

	void Shutdown()
	{
		if (gDevice != 0)
		{
			SDL_CloseAudioDevice(gDevice);	// waits for a running callback to return
			gDevice = 0;
			SDL_QuitSubSystem(SDL_INIT_AUDIO);
		}
		std::lock_guard<std::mutex> lock(gMutex);
		for (Source* source : gSources)
			source->active = false;
		gSources.clear();
	}

	double GetMasterGain()
	{
		return double(gMasterGain.load(std::memory_order_relaxed)) / FIXED_ONE;
	}

	void SetMasterGain(double gain)
	{
		gain = std::clamp(gain, 0.0, 16.0);
		gMasterGain.store(int32_t(gain * FIXED_ONE), std::memory_order_relaxed);
	}

	int GetOutputRate()
	{
		return gOutputRate.load(std::memory_order_relaxed);
	}

	int GetNumActiveSources()
	{
		std::lock_guard<std::mutex> lock(gMutex);
		return int(gSources.size());
	}

	void Mix(int16_t* out, int samples)
	{
		while (samples > 1)
		{
			int n = std::min(samples, BUFFER_FRAMES * 2) & ~1;
			std::memset(gMixBuffer, 0, sizeof(gMixBuffer[0]) * size_t(n));

			{
				std::lock_guard<std::mutex> lock(gMutex);
				// Compact in place: dropping finished sources must not allocate.
				size_t kept = 0;
				for (size_t i = 0; i < gSources.size(); i++)
				{
					Source* source = gSources[i];
					source->Process(gMixBuffer, n / 2);
					if (source->state.load(std::memory_order_relaxed) == CM_STATE_PLAYING)
						gSources[kept++] = source;
					else
						source->active = false;
				}
				gSources.resize(kept);

				int64_t master = gMasterGain.load(std::memory_order_relaxed);
				for (int i = 0; i < n; i++)
					out[i] = ClipToInt16(master * gMixBuffer[i]);
			}

			out += n;
			samples -= n;
		}
		if (samples == 1)
			*out = 0;
	}

	//-------------------------------------------------------------------------
	// Source

	Source::~Source()
	{
		DetachBeforeDestruction();
		onComplete = nullptr;
	}

	void Source::DetachBeforeDestruction()
	{
		if (active)
		{
			fprintf(stderr, "Source wasn't removed from mixer prior to destruction!\n");
			RemoveFromMixer();
		}
	}

	void Source::ResetLocked()
	{
		loop = false;
		rewindPending = true;
		loopStart = 0;
		end = 0;
		position = 0;
		leftGain = 0;
		rightGain = 0;
		rate = 0;
		interpolate = false;
		gain = 0;
		pan = 0;
		pitch = 1.0;
		onComplete = nullptr;
	}

	void Source::Init(int sampleRate_, int bitDepth, int channels, bool bigEndian, size_t byteLength)
	{
		std::lock_guard<std::mutex> lock(gMutex);
		InitLocked(sampleRate_, bitDepth, channels, bigEndian, byteLength);
	}

	void Source::InitLocked(int sampleRate_, int bitDepth, int channels, bool /*bigEndian*/, size_t byteLength)
	{
		if (sampleRate_ <= 0)
			throw std::invalid_argument("cmixer: sample rate must be positive");
		if (bitDepth != 8 && bitDepth != 16)
			throw std::invalid_argument("cmixer: only 8- and 16-bit samples are supported");
		if (channels != 1 && channels != 2)
			throw std::invalid_argument("cmixer: only mono and stereo sources are supported");

		ResetLocked();
		ClearImplementation();
		sampleRate = sampleRate_;
		length = int64_t(byteLength / size_t(bitDepth / 8) / size_t(channels));
		loopStart = 0;
		gain = 1.0;
		pan = 0.0;
		RecalcGains();
		loop = false;
		rewindPending = true;
		state = CM_STATE_STOPPED;
		RecalcRate();
	}

	void Source::RecalcGains()
	{
		double left = gain * (pan <= 0 ? 1.0 : 1.0 - pan);
		double right = gain * (pan >= 0 ? 1.0 : 1.0 + pan);
		leftGain.store(int32_t(left * FIXED_ONE), std::memory_order_relaxed);
		rightGain.store(int32_t(right * FIXED_ONE), std::memory_order_relaxed);
	}

	void Source::RecalcRate()
	{
		double r = 4;		// a pitch of 0 or less barely moves
		if (pitch > 0 && sampleRate > 0)
			r = double(sampleRate) / GetOutputRate() * pitch * FIXED_ONE;
		// Never 0: the callback divides by the rate.
		r = std::clamp(r, 1.0, double(MAX_RATE));
		rate.store(int32_t(r), std::memory_order_relaxed);
	}

	void Source::Play()
	{
		if (length == 0)
			return;
		std::lock_guard<std::mutex> lock(gMutex);
		state = CM_STATE_PLAYING;
		if (!active)
		{
			gSources.push_back(this);
			active = true;
		}
	}

	void Source::TogglePause()
	{
		int s = state.load(std::memory_order_relaxed);
		if (s == CM_STATE_PAUSED)
			Play();
		else if (s == CM_STATE_PLAYING)
			state = CM_STATE_PAUSED;
	}

	void Source::Stop()
	{
		// Under the lock: once this returns, the callback reads none of our
		// samples until the next Play, so the caller may free them.
		std::lock_guard<std::mutex> lock(gMutex);
		state = CM_STATE_STOPPED;
		rewindPending = true;
	}

	void Source::RemoveFromMixer()
	{
		std::lock_guard<std::mutex> lock(gMutex);
		gSources.erase(std::remove(gSources.begin(), gSources.end(), this), gSources.end());
		active = false;
	}

	void Source::SetGain(double g)
	{
		gain = g;
		RecalcGains();
	}

	void Source::SetPan(double p)
	{
		pan = std::clamp(p, -1.0, 1.0);
		RecalcGains();
	}

	void Source::SetPitch(double x)
	{
		pitch = x;
		RecalcRate();
	}

	void Source::SetLoop(bool l)
	{
		loop.store(l, std::memory_order_relaxed);
	}

	void Source::SetInterpolation(bool i)
	{
		interpolate.store(i, std::memory_order_relaxed);
	}

	void Source::SetLoopStart(int64_t frame)
	{
		// A loop start at or past the end would leave the stream nothing to read.
		std::lock_guard<std::mutex> lock(gMutex);
		loopStart = (frame < 0 || frame >= length) ? 0 : frame;
	}

	void Source::SetOnComplete(std::function<void()> routine)
	{
		std::lock_guard<std::mutex> lock(gMutex);
		onComplete = std::move(routine);
	}

	double Source::GetLength() const
	{
		return sampleRate > 0 ? double(length) / sampleRate : 0.0;
	}

	double Source::GetPosition() const
	{
		std::lock_guard<std::mutex> lock(gMutex);		// the callback moves the position
		if (sampleRate <= 0 || length <= 0)
			return 0.0;
		return double((position >> FIXED_BITS) % length) / sampleRate;
	}

	// Runs on the audio thread with the mixer lock held. `frames` stereo frames
	// are added to `mix`.
	void Source::Process(int32_t* mix, int frames)
	{
		if (rewindPending.exchange(false, std::memory_order_relaxed))
		{
			Rewind();
			end = length;
			position = 0;
			nextFill = 0;
		}

		if (state.load(std::memory_order_relaxed) != CM_STATE_PLAYING)
			return;

		const int32_t r = std::max<int32_t>(rate.load(std::memory_order_relaxed), 1);
		const int32_t gl = leftGain.load(std::memory_order_relaxed);
		const int32_t gr = rightGain.load(std::memory_order_relaxed);
		const bool looping = loop.load(std::memory_order_relaxed);
		const bool lerp = interpolate.load(std::memory_order_relaxed);

		int32_t* p = mix;
		int remaining = frames;
		while (remaining > 0)
		{
			int64_t i = position >> FIXED_BITS;
			while (i + 3 >= nextFill)
			{
				FillBuffer(ring + (nextFill & BUFFER_MASK) * 2, FILL_FRAMES);
				nextFill += FILL_FRAMES;
			}

			if (i >= end)
			{
				end = i + length;
				if (!looping)
					break;
			}

			int64_t n = ((std::min(nextFill - 2, end) - i) << FIXED_BITS) / r;
			n = std::clamp<int64_t>(n, 1, remaining);

			if (r == FIXED_ONE)
			{
				for (int64_t k = 0; k < n; k++)
				{
					const int16_t* f = ring + ((i + k) & BUFFER_MASK) * 2;
					p[0] += (f[0] * gl) >> FIXED_BITS;
					p[1] += (f[1] * gr) >> FIXED_BITS;
					p += 2;
				}
				position += n * FIXED_ONE;
			}
			else if (lerp)
			{
				for (int64_t k = 0; k < n; k++)
				{
					int64_t j = position >> FIXED_BITS;
					int32_t frac = int32_t(position & (FIXED_ONE - 1));
					const int16_t* a = ring + (j & BUFFER_MASK) * 2;
					const int16_t* b = ring + ((j + 1) & BUFFER_MASK) * 2;
					int32_t left = a[0] + (((b[0] - a[0]) * frac) >> FIXED_BITS);
					int32_t right = a[1] + (((b[1] - a[1]) * frac) >> FIXED_BITS);
					p[0] += (left * gl) >> FIXED_BITS;
					p[1] += (right * gr) >> FIXED_BITS;
					p += 2;
					position += r;
				}
			}
			else
			{
				for (int64_t k = 0; k < n; k++)
				{
					const int16_t* f = ring + ((position >> FIXED_BITS) & BUFFER_MASK) * 2;
					p[0] += (f[0] * gl) >> FIXED_BITS;
					p[1] += (f[1] * gr) >> FIXED_BITS;
					p += 2;
					position += r;
				}
			}
			remaining -= int(n);
		}

		if (remaining > 0)
		{
			// The end of a non-looping pass: a later Play starts from the top.
			state = CM_STATE_STOPPED;
			rewindPending = true;
			if (onComplete)
				onComplete();
		}
	}

	//-------------------------------------------------------------------------
	// WavStream

	WavStream::~WavStream()
	{
		// Before `owned` goes: the callback may be reading it.
		DetachBeforeDestruction();
	}

	void WavStream::Init(int sampleRate_, int bitDepth_, int channels_, bool bigEndian_,
						 const void* data_, size_t size, bool signed8_)
	{
		std::vector<uint8_t> old;
		{
			std::lock_guard<std::mutex> lock(gMutex);
			InitLocked(sampleRate_, bitDepth_, channels_, bigEndian_, size);
			old.swap(owned);
			data = static_cast<const uint8_t*>(data_);
			dataSize = size;
			bitDepth = bitDepth_;
			channels = channels_;
			bigEndian = bigEndian_;
			signed8 = signed8_;
			frameCount = GetLengthFrames();
			readIndex = 0;
		}
		// `old` (the previous samples) is freed here, outside the lock: the
		// callback can no longer reach it.
	}

	void WavStream::Init(int sampleRate_, int bitDepth_, int channels_, bool bigEndian_,
						 std::vector<uint8_t>&& ownedData, bool signed8_)
	{
		std::vector<uint8_t> old;
		{
			std::lock_guard<std::mutex> lock(gMutex);
			InitLocked(sampleRate_, bitDepth_, channels_, bigEndian_, ownedData.size());
			old.swap(owned);
			owned = std::move(ownedData);
			data = owned.data();
			dataSize = owned.size();
			bitDepth = bitDepth_;
			channels = channels_;
			bigEndian = bigEndian_;
			signed8 = signed8_;
			frameCount = GetLengthFrames();
			readIndex = 0;
		}
	}

	void WavStream::Rewind()
	{
		readIndex = 0;
	}

	void WavStream::ClearImplementation()
	{
		readIndex = 0;
	}

	void WavStream::FillBuffer(int16_t* dst, int frames)
	{
		while (frames > 0)
		{
			if (frameCount <= 0)
			{
				std::memset(dst, 0, sizeof(int16_t) * 2 * size_t(frames));
				return;
			}
			if (readIndex >= frameCount)
			{
				int64_t start = GetLoopStart();
				readIndex = (start >= 0 && start < frameCount) ? start : 0;
			}
			int n = int(std::min<int64_t>(frames, frameCount - readIndex));
			Convert(dst, readIndex, n);
			dst += n * 2;
			frames -= n;
			readIndex += n;
		}
	}

	void WavStream::Convert(int16_t* dst, int64_t firstFrame, int frames) const
	{
		const size_t bytesPerSample = size_t(bitDepth / 8);
		const uint8_t* src = data + size_t(firstFrame) * bytesPerSample * size_t(channels);
		const int count = frames * channels;
		int16_t s[FILL_FRAMES * 2];

		for (int done = 0; done < count; )
		{
			// Convert at most a ring fill at a time into `s`, then spread.
			int batch = std::min(count - done, FILL_FRAMES * 2);
			if (bitDepth == 16)
			{
				for (int k = 0; k < batch; k++, src += 2)
				{
					s[k] = bigEndian ? int16_t(uint16_t(src[0] << 8 | src[1]))
									 : int16_t(uint16_t(src[1] << 8 | src[0]));
				}
			}
			else if (signed8)
			{
				for (int k = 0; k < batch; k++, src++)
					s[k] = int16_t(int8_t(*src) * 256);
			}
			else
			{
				for (int k = 0; k < batch; k++, src++)
					s[k] = int16_t(*src * 256 - 32768);
			}

			if (channels == 2)
			{
				std::memcpy(dst, s, sizeof(int16_t) * size_t(batch));
				dst += batch;
			}
			else
			{
				for (int k = 0; k < batch; k++)
				{
					*dst++ = s[k];
					*dst++ = s[k];
				}
			}
			done += batch;
		}
	}
}
